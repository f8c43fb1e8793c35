// scripts/install-deps.sh, run against a stand-in apt-get that holds the
// package lock for its first tries, as another apt-get or an automatic
// update would.
#include "HostFiles.h"
#include "KivtoolRun.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class InstallDepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        bin_ = fs::temp_directory_path() /
               ("kiv-install-deps-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(bin_);
        // Every package is missing; sudo runs its command as it is.
        WriteTool("dpkg-query", "exit 1\n");
        WriteTool("sudo", "exec \"$@\"\n");
    }
    void TearDown() override { fs::remove_all(bin_); }

    // apt-get answers its first lockedTries calls as a locked apt-get does,
    // then with failure; every call is counted in the file "calls".
    void WriteAptGet(int lockedTries, const std::string& afterwards = "exit 0") {
        WriteTool("apt-get", "echo \"$*\" >> '" + (bin_ / "calls").string() +
                                 "'\n"
                                 "if [ $(wc -l < '" +
                                 (bin_ / "calls").string() + "') -le " +
                                 std::to_string(lockedTries) +
                                 " ]; then\n"
                                 "  echo 'E: Could not get lock /var/lib/apt/lists/lock. It is "
                                 "held by process 1 (apt-get)' >&2\n"
                                 "  exit 100\n"
                                 "fi\n" +
                                 afterwards + "\n");
    }
    KivtoolRun Run(int waitSeconds) const {
        KivtoolRun run;
        const std::string command = "PATH='" + bin_.string() +
                                    ":'\"$PATH\" KIV_APT_LOCK_WAIT=" + std::to_string(waitSeconds) +
                                    " KIV_APT_LOCK_RETRY=0.1 " KIV_SOURCE_DIR
                                    "/scripts/install-deps.sh 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.output.append(buffer, got);
        const int status = pipe ? pclose(pipe) : -1;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
    int Calls() const {
        const std::string calls = ReadHostFile(bin_ / "calls");
        return static_cast<int>(std::count(calls.begin(), calls.end(), '\n'));
    }

private:
    void WriteTool(const std::string& name, const std::string& body) {
        WriteHostFile(bin_ / name, "#!/bin/sh\n" + body);
        fs::permissions(bin_ / name, fs::perms::owner_all);
    }
    fs::path bin_;
};

} // namespace

TEST_F(InstallDepsTest, WaitsWhileAnotherAptGetHoldsTheLock) {
    WriteAptGet(2);
    const KivtoolRun run = Run(60);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Calls(), 4) << run.output; // two locked updates, the update, the install
    EXPECT_NE(run.output.find("holds the lock; waiting"), std::string::npos) << run.output;
}

TEST_F(InstallDepsTest, GivesUpWhenTheLockIsHeldPastTheWait) {
    WriteAptGet(1000);
    const KivtoolRun run = Run(1);
    EXPECT_EQ(run.status, 100) << run.output;
    EXPECT_LT(Calls(), 1000);
    EXPECT_NE(run.output.find("still holds the lock after 1s"), std::string::npos) << run.output;
}

TEST_F(InstallDepsTest, OtherFailuresAreNotTriedAgain) {
    WriteAptGet(0, "echo 'E: Unable to locate package x' >&2; exit 100");
    const KivtoolRun run = Run(60);
    EXPECT_EQ(run.status, 100) << run.output;
    EXPECT_EQ(Calls(), 1);
}
