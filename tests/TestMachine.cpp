#include "TestMachine.h"

#include <cstdlib>
#include <filesystem>

TestMachine::TestMachine(const MachineSettings& settings) {
    char pattern[] = "/tmp/kiv-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return;
    }
    root_ = made;
    std::string error;
    if (!Machine::Create(root_, settings, &error))
        ADD_FAILURE() << "cannot create a machine: " << error;
    if (!Machine::Use(root_))
        ADD_FAILURE() << "cannot use the machine at " << root_;
}

TestMachine::~TestMachine() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TestMachine::DriveC(const std::string& relative) const {
    return relative.empty() ? root_ + "/drive_c" : root_ + "/drive_c/" + relative;
}
