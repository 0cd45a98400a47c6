// How the settings store's writes succeed and fail on real files: read-only
// files and folders (for root, by the mode bits, and for an ordinary user),
// kept permissions and owner, and no file left behind.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "settings/settings.h"
#include "settings/settings_test_support.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

const char kOriginal[] = "[Setting]\r\nFontSize=12\r\n";

std::string WriteError(const std::string& path) {
  return Utf8ToCp932(path) + Utf8ToCp932(" に書き込めません");
}

mode_t ModeOf(const std::string& path) {
  struct stat info;
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

void SetMode(const std::string& path, mode_t mode) {
  ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

// How one write into a file ended.
enum class Outcome { kWritten, kWriteError, kOtherFailure };

Outcome TryWrite(const std::string& path) {
  try {
    SettingsStore store(path);
    store.WriteInteger("Setting", "FontSize", 14);
    return Outcome::kWritten;
  } catch (const UserError& error) {
    return error.what() == WriteError(path) ? Outcome::kWriteError
                                            : Outcome::kOtherFailure;
  } catch (...) {
    return Outcome::kOtherFailure;
  }
}

class SettingsWrite : public ::testing::Test {
 protected:
  // The settings file lies in a folder with a Japanese name, so that the
  // message shows the path converted to code page 932.
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::create_directory(folder_path_));
  }
  void TearDown() override { ::chmod(folder_path_.c_str(), 0755); }

  // The folder holds the settings file alone: no temporary file is left.
  void ExpectOnlyTheSettingsFile() {
    std::set<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder_path_)) {
      names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::set<std::string>{"Quillmark.INI"});
  }

  TempFolder folder_;
  std::string folder_path_ = folder_.File("設定");
  std::string path_ = folder_path_ + "/Quillmark.INI";
};

TEST_F(SettingsWrite, AFileWithEveryWriteBitOffIsNeverReplaced) {
  for (const mode_t mode : {0444, 0400, 0000, 0500}) {
    WriteFile(path_, kOriginal);
    SetMode(path_, mode);
    EXPECT_EQ(TryWrite(path_), Outcome::kWriteError) << std::oct << mode;
    EXPECT_EQ(ReadFile(path_), kOriginal);
    EXPECT_EQ(ModeOf(path_), mode);
    ExpectOnlyTheSettingsFile();
    SetMode(path_, 0644);
  }
}

TEST_F(SettingsWrite, AFolderWithEveryWriteBitOffRefusesNewAndOldFiles) {
  SetMode(folder_path_, 0555);
  EXPECT_EQ(TryWrite(path_), Outcome::kWriteError);
  EXPECT_FALSE(std::filesystem::exists(path_));

  SetMode(folder_path_, 0755);
  WriteFile(path_, kOriginal);
  SetMode(folder_path_, 0555);
  EXPECT_EQ(TryWrite(path_), Outcome::kWriteError);
  EXPECT_EQ(ReadFile(path_), kOriginal);
  ExpectOnlyTheSettingsFile();
}

TEST_F(SettingsWrite, AFolderThatDoesNotExistGivesTheWriteError) {
  const std::string path = folder_path_ + "/missing/Quillmark.INI";
  EXPECT_EQ(TryWrite(path), Outcome::kWriteError);
}

TEST_F(SettingsWrite, KeepsThePermissionBitsOfTheFileItReplaces) {
  for (const mode_t mode : {0600, 0640, 0604, 0666, 0755, 0200}) {
    WriteFile(path_, kOriginal);
    SetMode(path_, mode);
    EXPECT_EQ(TryWrite(path_), Outcome::kWritten) << std::oct << mode;
    EXPECT_EQ(ModeOf(path_), mode);
    SetMode(path_, 0644);
    EXPECT_EQ(ReadFile(path_), "[Setting]\r\nFontSize=14\r\n");
    ExpectOnlyTheSettingsFile();
  }
}

TEST_F(SettingsWrite, ANewFileGetsTheUsualModeLessTheUmask) {
  for (const mode_t mask : {022, 077}) {
    std::filesystem::remove(path_);
    const mode_t previous = ::umask(mask);
    const Outcome outcome = TryWrite(path_);
    ::umask(previous);
    EXPECT_EQ(outcome, Outcome::kWritten);
    EXPECT_EQ(ModeOf(path_), 0666 & ~mask);
  }
}

// The ids of the unprivileged user, when the tests run as root.
struct Ids {
  uid_t uid;
  gid_t gid;
};

std::optional<Ids> NobodyWhenRoot() {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* user = ::getpwnam("nobody");
  const group* group = ::getgrnam("nogroup");
  if (user == nullptr) return std::nullopt;
  return Ids{user->pw_uid, group != nullptr ? group->gr_gid : user->pw_gid};
}

void ChangeOwner(const std::string& path, Ids ids) {
  ASSERT_EQ(::chown(path.c_str(), ids.uid, ids.gid), 0) << path;
}

// Runs one write in a child process that has dropped to `ids`.
Outcome TryWriteAs(Ids ids, const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 ||
        ::setresgid(ids.gid, ids.gid, ids.gid) != 0 ||
        ::setresuid(ids.uid, ids.uid, ids.uid) != 0) {
      ::_exit(static_cast<int>(Outcome::kOtherFailure));
    }
    ::_exit(static_cast<int>(TryWrite(path)));
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? static_cast<Outcome>(WEXITSTATUS(status))
                           : Outcome::kOtherFailure;
}

TEST_F(SettingsWrite, KeepsTheOwnerWhenRootWritesAnotherUsersFile) {
  const auto nobody = NobodyWhenRoot();
  if (!nobody) GTEST_SKIP() << "needs root and the user nobody";
  WriteFile(path_, kOriginal);
  ChangeOwner(path_, *nobody);
  ASSERT_EQ(TryWrite(path_), Outcome::kWritten);
  struct stat info;
  ASSERT_EQ(::stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, nobody->uid);
  EXPECT_EQ(info.st_gid, nobody->gid);
}

TEST_F(SettingsWrite, AnOrdinaryUserWritesOnlyWhatTheSystemLetsItWrite) {
  const auto nobody = NobodyWhenRoot();
  if (!nobody) GTEST_SKIP() << "needs root and the user nobody";
  ::chmod(folder_.Path().c_str(), 0755);
  const struct {
    const char* name;
    bool folder_is_theirs;
    bool file_is_theirs;
    mode_t file_mode;
    Outcome expected;
  } cases[] = {
      {"their file in their folder", true, true, 0644, Outcome::kWritten},
      {"their read-only file", true, true, 0444, Outcome::kWriteError},
      {"their file they may not read", true, true, 0200, Outcome::kWriteError},
      // The folder would let the rename through; the file itself may not be
      // written by them.
      {"root's file in their folder", true, false, 0644, Outcome::kWriteError},
      {"their file in root's folder", false, true, 0644, Outcome::kWriteError},
  };
  for (const auto& c : cases) {
    WriteFile(path_, kOriginal);
    SetMode(path_, c.file_mode);
    ChangeOwner(path_, c.file_is_theirs ? *nobody : Ids{0, 0});
    ChangeOwner(folder_path_, c.folder_is_theirs ? *nobody : Ids{0, 0});
    EXPECT_EQ(TryWriteAs(*nobody, path_), c.expected) << c.name;
    if (c.expected == Outcome::kWritten) {
      EXPECT_EQ(ModeOf(path_), c.file_mode) << c.name;
    } else {
      SetMode(path_, 0644);
      EXPECT_EQ(ReadFile(path_), kOriginal) << c.name;
    }
    ExpectOnlyTheSettingsFile();
    std::filesystem::remove(path_);
  }
}

TEST_F(SettingsWrite, ASaveThatFailsHalfwayKeepsTheEntriesWrittenBeforeIt) {
  DataTable old_table, new_table;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    old_table.TableCell(0, row, "old");
    new_table.TableCell(0, row, "new label " + std::string(20, 'n'));
  }
  SaveSettings(path_, old_table, SettingsRecord{});
  const auto old_size = static_cast<rlim_t>(ReadFile(path_).size());

  // A file size limit makes one write fail once the file has grown enough.
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{old_size + 600, old_size + 600};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      SaveSettings(path_, new_table, SettingsRecord{});
    } catch (const UserError& error) {
      ::_exit(error.what() == WriteError(path_) ? 0 : 2);
    }
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0) << "1: the save did not fail";

  DataTable loaded;
  LoadSettings(path_, loaded, "");
  int new_rows = 0;
  while (new_rows < DataTable::kLastRow &&
         loaded.TableCell(0, new_rows + 1) == new_table.TableCell(0, 1)) {
    ++new_rows;
  }
  EXPECT_GT(new_rows, 0);
  EXPECT_LT(new_rows, DataTable::kLastRow);
  for (int row = new_rows + 1; row <= DataTable::kLastRow; ++row) {
    EXPECT_EQ(loaded.TableCell(0, row), "old") << row;
  }
  ExpectOnlyTheSettingsFile();
}

}  // namespace
}  // namespace quillmark
