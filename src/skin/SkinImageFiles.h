// The image strings of the skin, each appended to the skin folder. The
// language does not change the images.
#pragma once

#include <string_view>

namespace zr {

struct SurfaceImages {
  std::u16string_view normal;
  std::u16string_view over;
  std::u16string_view down;  // empty: the surface has no pressed state
  std::u16string_view mask;  // empty: the surface has no mask of its own
};

inline constexpr SurfaceImages kMainPageImages{u"\\main_normal.jpg", u"\\main_over.jpg", u"\\main_down.jpg",
                                               u"\\main_mask.jpg"};
inline constexpr SurfaceImages kAdvancedPageImages{u"\\advanced_normal.jpg", u"\\advanced_over.jpg",
                                                   u"\\advanced_down.jpg", u""};
inline constexpr SurfaceImages kColorPageImages{u"\\color_normal_pink.jpg", u"\\color_over_red.jpg",
                                                u"\\color_down_purple.jpg", u""};
inline constexpr SurfaceImages kMenuImages{u"\\menu_normal.jpg", u"\\menu_over.jpg", u"\\menu_down.jpg",
                                           u"\\menu_mask.jpg"};
inline constexpr SurfaceImages kSubMenuImages{u"\\advanced menu_normal.jpg", u"\\advanced menu_over.jpg",
                                              u"\\advanced menu_down.jpg", u"\\advanced menu_mask.jpg"};
inline constexpr SurfaceImages kWarningImages{u"\\warning_normal.jpg", u"\\warning_over.jpg", u"", u"\\warning_mask.jpg"};

// The LED preview spot of the colour page also shows these.
inline constexpr std::u16string_view kLedDarkImage = u"\\color_normal_gray.jpg";
inline constexpr std::u16string_view kLedBlueImage = u"\\color_over_blue.jpg";

// Items are stacked in equal strips of the menu images.
inline constexpr int kMenuStrips = 10;
inline constexpr int kSubMenuStrips = 12;

}  // namespace zr
