// A fresh emulated machine in a temporary folder, made current for the test.
#pragma once

#include "platform/Machine.h"

#include <gtest/gtest.h>
#include <string>

class TestMachine {
public:
    explicit TestMachine(const MachineSettings& settings = MachineSettings());
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    const std::string& Root() const { return root_; }
    // Host path of <root>/drive_c joined with a relative path ("Windows/x.txt").
    std::string DriveC(const std::string& relative = "") const;

private:
    std::string root_;
};

// A test fixture that gives every test its own fresh machine.
class MachineTest : public ::testing::Test {
protected:
    TestMachine machine;
};
