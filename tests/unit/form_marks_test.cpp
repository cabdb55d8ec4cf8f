#include "saver/posix/form_marks.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

namespace fs = std::filesystem;

ProcessId Self() { return static_cast<ProcessId>(getpid()); }

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat status{};
    lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// A child process that takes a mark of the title, tells the parent through a
// pipe ('y' marked, 'n' not), then ends either at once, its mark left behind
// as a process that dies leaves it, or when the parent lets it go.
class MarkingChild {
public:
    MarkingChild(const std::string& folder, const std::string& title, bool endAtOnce) {
        int told[2], release[2];
        if (pipe(told) != 0 || pipe(release) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(told[0]);
            close(release[1]);
            const std::shared_ptr<void> mark = HoldFormMark(folder, title);
            const char answer = mark ? 'y' : 'n';
            if (write(told[1], &answer, 1) != 1 || endAtOnce) _exit(0);
            char ignored;
            while (read(release[0], &ignored, 1) > 0) {
            }
            _exit(0);
        }
        close(told[1]);
        close(release[0]);
        release_ = release[1];
        char answer = 'n';
        marked_ = read(told[0], &answer, 1) == 1 && answer == 'y';
        close(told[0]);
        if (endAtOnce) End();
    }
    ~MarkingChild() { End(); }
    MarkingChild(const MarkingChild&) = delete;
    MarkingChild& operator=(const MarkingChild&) = delete;

    bool Marked() const { return marked_; }
    ProcessId Id() const { return static_cast<ProcessId>(pid_); }

    // Lets the child end and waits for it.
    void End() {
        if (release_ >= 0) close(release_);
        release_ = -1;
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = pid_ > 0 ? -pid_ : pid_;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool marked_ = false;
};

// A file made with the permissions given and locked as a mark is, until the
// end of its life.
class LockedFile {
public:
    LockedFile(const std::string& path, mode_t mode) : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode)) {
        fchmod(fd_, mode);
        EXPECT_EQ(flock(fd_, LOCK_EX | LOCK_NB), 0) << path;
    }
    ~LockedFile() {
        if (fd_ >= 0) close(fd_);
    }
    LockedFile(LockedFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

private:
    int fd_;
};

class FormMarksTest : public testing::Test {
protected:
    TempFolder runtime;
    const std::string folder = FormMarksFolder(runtime.Path(), "wayland-1");
};

TEST(FormMarksFolder, LiesInTheRuntimeFolderNamedForTheSession) {
    EXPECT_EQ(FormMarksFolder("/run/user/1000", "wayland-1"), "/run/user/1000/velmoran-wayland-1");
    EXPECT_EQ(FormMarksFolder("/run/user/1000", "/tmp/my.sock"), "/run/user/1000/velmoran-%2Ftmp%2Fmy%2Esock");
    EXPECT_EQ(FormMarksFolder("", "wayland-1"), "") << "no runtime folder, no marks";
    EXPECT_EQ(FormMarksFolder("run/user/1000", "wayland-1"), "") << "a relative runtime folder is not trusted";
    EXPECT_EQ(FormMarksFolder("/run/user/1000", ""), "");
}

TEST_F(FormMarksTest, AMarkCountsWhileItsHandleLives) {
    std::shared_ptr<void> mark = HoldFormMark(folder, "Velmoran_Main");
    ASSERT_TRUE(mark);
    EXPECT_EQ(ModeOf(folder), 0700u);
    const std::vector<std::string> names = Names(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ModeOf(folder + "/" + names[0]), 0600u);
    EXPECT_NE(names[0].find(std::to_string(getpid())), std::string::npos) << names[0];
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{Self()});
    EXPECT_EQ(ProcessesMarked(folder, "<Velmoran>"), std::vector<ProcessId>{});
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran"), std::vector<ProcessId>{});
    mark.reset();
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{});
    EXPECT_EQ(Names(folder), std::vector<std::string>{});
}

TEST_F(FormMarksTest, MarksOfOneTitleInTwoProcessesAreBothCounted) {
    const std::shared_ptr<void> mark = HoldFormMark(folder, "<Velmoran>");
    ASSERT_TRUE(mark);
    MarkingChild child(folder, "<Velmoran>", false);
    ASSERT_TRUE(child.Marked());
    std::vector<ProcessId> marked = ProcessesMarked(folder, "<Velmoran>");
    std::sort(marked.begin(), marked.end());
    std::vector<ProcessId> expected{Self(), child.Id()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(marked, expected);
    child.End();
    EXPECT_EQ(ProcessesMarked(folder, "<Velmoran>"), std::vector<ProcessId>{Self()});
}

TEST_F(FormMarksTest, TwoMarksOfOneProcessAreTwo) {
    const std::shared_ptr<void> first = HoldFormMark(folder, "Velmoran_Main");
    const std::shared_ptr<void> second = HoldFormMark(folder, "Velmoran_Main");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), (std::vector<ProcessId>{Self(), Self()}));
}

TEST_F(FormMarksTest, AMarkLeftByAProcessThatDiedIsRemovedAndNotCounted) {
    const MarkingChild child(folder, "Velmoran_Main", true);
    ASSERT_TRUE(child.Marked());
    ASSERT_EQ(Names(folder).size(), 1u) << "the child ended without removing its mark";
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{});
    EXPECT_EQ(Names(folder), std::vector<std::string>{});
}

TEST_F(FormMarksTest, OddTitlesMakeSafeNamesAndStayApart) {
    const std::vector<std::string> titles = {"",  "a",     "a.1.2", "a%2E1%2E2", "../x", "a/b",
                                             "%", "名前", "a b\n", std::string("n\0ul", 4)};
    std::vector<std::shared_ptr<void>> marks;
    for (const std::string& title : titles) {
        marks.push_back(HoldFormMark(folder, title));
        ASSERT_TRUE(marks.back()) << '"' << title << '"';
    }
    for (const std::string& title : titles)
        EXPECT_EQ(ProcessesMarked(folder, title), std::vector<ProcessId>{Self()}) << '"' << title << '"';
    for (const std::string& name : Names(folder)) {
        EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.%"),
                  std::string::npos)
            << name;
    }
    EXPECT_EQ(Names(folder).size(), titles.size());
    EXPECT_FALSE(HoldFormMark(folder, std::string(300, 'x'))) << "a title too long for a file name";
    EXPECT_EQ(ProcessesMarked(folder, std::string(300, 'x')), std::vector<ProcessId>{});
}

TEST_F(FormMarksTest, WithoutAFolderNothingIsMarked) {
    EXPECT_FALSE(HoldFormMark("", "Velmoran_Main"));
    EXPECT_EQ(ProcessesMarked("", "Velmoran_Main"), std::vector<ProcessId>{});
    EXPECT_FALSE(HoldFormMark(runtime / "missing/velmoran-wayland-1", "Velmoran_Main"));
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{}) << "not made by a look";
    EXPECT_FALSE(fs::exists(folder));
    runtime.Write("file", "");
    EXPECT_FALSE(HoldFormMark(runtime / "file", "Velmoran_Main"));
}

TEST_F(FormMarksTest, ALinkedFolderIsNotTrusted) {
    const std::shared_ptr<void> mark = HoldFormMark(folder, "Velmoran_Main");
    ASSERT_TRUE(mark);
    const std::string link = runtime / "link";
    fs::create_directory_symlink(folder, link);
    EXPECT_FALSE(HoldFormMark(link, "Velmoran_Main"));
    EXPECT_EQ(ProcessesMarked(link, "Velmoran_Main"), std::vector<ProcessId>{});
}

TEST_F(FormMarksTest, AFolderOpenToOthersOrAnotherUsersIsNotTrusted) {
    const std::shared_ptr<void> mark = HoldFormMark(folder, "Velmoran_Main");
    ASSERT_TRUE(mark);
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(HoldFormMark(folder, "Velmoran_Main"));
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{});
    chmod(folder.c_str(), 0700);
    ASSERT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{Self()});
    // Only the superuser gives a folder away; anyone else finds the root
    // folder, the superuser's, refused.
    const std::string foreign = geteuid() == 0 ? folder : "/";
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    }
    EXPECT_FALSE(HoldFormMark(foreign, "Velmoran_Main"));
    EXPECT_EQ(ProcessesMarked(foreign, "Velmoran_Main"), std::vector<ProcessId>{});
}

TEST_F(FormMarksTest, UntrustedOrMisnamedFilesAreLeftAloneAndNotCounted) {
    ASSERT_TRUE(HoldFormMark(folder, "other"));  // makes the folder; let go at once
    // Each file is locked as a live mark's is: only its name, kind or
    // permissions keep it from counting.
    std::vector<LockedFile> files;
    files.emplace_back(runtime / "target", 0600);
    fs::create_symlink(runtime / "target", folder + "/Velmoran_Main.1.0");
    for (const char* name : {"Velmoran_Main.x.0", "Velmoran_Main.0.0", "Velmoran_Main.99999999999.0",
                             "Velmoran_Main.1", "Velmoran_Main.1.", "Velmoran_Main..1", "Velmoran_Main.1.0.new",
                             "Velmoran_Main.+1.0", "Velmoran_Main.1.-0", "velmoran_Main.1.0"})
        files.emplace_back(folder + "/" + name, 0600);
    files.emplace_back(folder + "/Velmoran_Main.2.0", 0644);
    files.emplace_back(folder + "/Velmoran_Main.3.0", 0600);
    const std::vector<std::string> before = Names(folder);
    EXPECT_EQ(ProcessesMarked(folder, "Velmoran_Main"), std::vector<ProcessId>{3}) << "only the well-made one";
    EXPECT_EQ(Names(folder), before);
}

}  // namespace
}  // namespace velmoran
#endif
