// A process killed at any moment of a save leaves a settings file that loads
// and holds, in every entry, either the value before or the value after.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_test_support.h"
#include "text/cp932.h"

namespace quillmark {
namespace {

using testing::TempFolder;

struct Saved {
  DataTable table;
  SettingsRecord record;
};

Saved Variant(const std::string& label, const std::string& value_suffix) {
  Saved saved;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    saved.table.TableCell(0, row, label + std::to_string(row));
    saved.table.TableCell(1, row, std::to_string(row) + value_suffix);
  }
  return saved;
}

// Two saves that differ in every one of the 110 entries.
std::pair<Saved, Saved> TwoSaves() {
  Saved a = Variant("a", "");
  a.record.FontName = "A font";
  Saved b = Variant("b-label-", ".5");
  b.record = {Utf8ToCp932("■"),
              false,
              true,
              true,
              Utf8ToCp932("円"),
              false,
              123,
              14,
              "2.5",
              Utf8ToCp932("ＭＳ ゴシック")};
  return {std::move(a), std::move(b)};
}

using Entry = std::pair<std::string, std::string>;  // section, key

std::vector<Entry> AllEntries() {
  namespace k = settings_keys;
  std::vector<Entry> entries;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    entries.emplace_back(k::TableSection(), std::to_string(row) + ",0");
    entries.emplace_back(k::TableSection(), std::to_string(row) + ",1");
  }
  for (const std::string* key :
       {&k::Material(), &k::WriteNum(), &k::WriteUnit(), &k::AsHtml(),
        &k::Unit(), &k::AutoScale(), &k::Width(), &k::FontSize(), &k::Scale(),
        &k::FontName()}) {
    entries.emplace_back(k::SettingSection(), *key);
  }
  return entries;
}

// The value of every entry as a save of `saved` leaves it.
std::vector<std::string> ValuesOf(const Saved& saved, const std::string& path) {
  SaveSettings(path, saved.table, saved.record);
  const SettingsStore store(path);
  std::vector<std::string> values;
  for (const auto& [section, key] : AllEntries()) {
    values.push_back(store.ReadText(section, key, "(missing)"));
  }
  return values;
}

[[noreturn]] void SaveForever(const std::string& path, const Saved& a,
                              const Saved& b) {
  try {
    for (;;) {
      SaveSettings(path, a.table, a.record);
      SaveSettings(path, b.table, b.record);
    }
  } catch (...) {
    ::_exit(3);
  }
}

TEST(SettingsCrash, AKilledSaveLeavesEveryEntryOldOrNew) {
  TempFolder folder;
  const std::string path = folder.File("Quillmark.INI");
  const auto [a, b] = TwoSaves();
  const std::vector<std::string> b_values = ValuesOf(b, path);
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> a_values = ValuesOf(a, path);
  const auto one_save = std::chrono::steady_clock::now() - start;
  const std::vector<Entry> entries = AllEntries();

  // Kills land anywhere within the first three saves of each child, but no
  // later than 50 ms, so that a slow disk does not stretch the test.
  using std::chrono::microseconds;
  std::mt19937 random(1110);
  std::uniform_int_distribution<long> delay_us(
      0, std::min(3 * std::chrono::duration_cast<microseconds>(one_save),
                  microseconds(50000))
             .count());
  int mixed = 0, left_behind = 0;
  for (int kill = 0; kill < 300; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(path, a, b);
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";

    const SettingsStore store(path);
    int from_a = 0, from_b = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::string value =
          store.ReadText(entries[i].first, entries[i].second, "(missing)");
      from_a += value == a_values[i];
      from_b += value == b_values[i];
      ASSERT_TRUE(value == a_values[i] || value == b_values[i])
          << "kill " << kill << ", key " << entries[i].second << ": " << value;
    }
    mixed += from_a > 0 && from_b > 0;
    for (const auto& name : folder.Names()) {
      if (name == "Quillmark.INI") continue;
      ++left_behind;
      std::filesystem::remove(folder.File(name));
    }
  }
  EXPECT_GT(mixed, 0) << "no kill landed inside a save";
  RecordProperty("kills_inside_a_save", mixed);
  RecordProperty("temporaries_left_by_kills", left_behind);
}

}  // namespace
}  // namespace quillmark
