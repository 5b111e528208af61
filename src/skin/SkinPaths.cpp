#include "skin/SkinPaths.h"

namespace zr {

std::u16string_view SkinLayoutFileName(SkinLayoutFile file, std::uint8_t languageFlag) {
  const bool english = languageFlag != 0;
  switch (file) {
    case SkinLayoutFile::Main:
      return english ? u"\\INI_EN\\skin_main_en.ini" : u"\\INI_CN\\skin_main.ini";
    case SkinLayoutFile::Advanced:
      return english ? u"\\INI_EN\\skin_advance_en.ini" : u"\\INI_CN\\skin_advance.ini";
    case SkinLayoutFile::Color:
      return english ? u"\\INI_EN\\skin_color_en.ini" : u"\\INI_CN\\skin_color.ini";
    case SkinLayoutFile::Warning:
      return english ? u"\\INI_EN\\LBWarning_en.ini" : u"\\INI_CN\\LBWarning.ini";
  }
  return {};
}

}  // namespace zr
