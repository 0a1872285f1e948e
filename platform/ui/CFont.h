// A font made from a face name, a height and a style.
#pragma once

#include "platform/ui/CGdiObject.h"

#include <string>

class CFont : public CGdiObject
{
public:
    // `height` in pixels: below 0 the character height, above 0 the cell
    // height (characters with their leading), 0 the default size. `weight`
    // 0 to 1000 (FW_NORMAL 400, FW_BOLD 700; 0 is normal). Escapement,
    // orientation, character set and precisions have no effect here; `quality`
    // ANTIALIASED_QUALITY asks for smoothed glyphs. A face this system does not
    // have is replaced by a similar one.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, const std::string& faceName);
};
