#pragma once

#include "host/page_host.h"

namespace orvalis {

// One row of the window's table of background pictures: the stems loaded into the header, into the page's
// own background and into the button strip, and into the left column's page only while that has no
// picture yet; none leaves the area as it is.
struct TPagePictures {
    const char* Header = nullptr;
    const char* Page = nullptr;
    // The page's picture lies under the page's text as well, so that the text scrolls over it.
    bool UnderText = false;
    const char* ButtonStrip = nullptr;
    const char* LeftColumn = nullptr;
};

const TPagePictures& PicturesOf(TPictureRow row);

} // namespace orvalis
