// A settings file of any bytes: the load never fails, and a value written
// into such a file afterwards reads back as written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings.h"

namespace {

std::string ScratchPath() {
  return "/tmp/quillmark-settings-fuzz-" + std::to_string(getpid()) + ".INI";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  quillmark::DataTable table;
  quillmark::LoadSettings(path, table, "IPAGothic");

  quillmark::SettingsStore store(path);
  store.WriteText("Setting", "Scale", "2.5");
  if (quillmark::SettingsStore(path).ReadText("Setting", "Scale", "") != "2.5") {
    std::abort();
  }
  std::remove(path.c_str());
  return 0;
}
