#include "core/settings/install_layout.h"

#include <string>

namespace kr4100 {

std::filesystem::path InstallLayout::templateFile(int bandCode, bool initialSetting) const {
  const std::string name =
      std::to_string(bandCode) + (initialSetting ? "_KR-4100.dat" : "_KR-4100_New.dat");
  return programDir / "Init" / name;
}

}  // namespace kr4100
