#include "app/font_config_warm_up.h"

#ifdef QUILLON_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <system_error>

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef QUILLON_HAS_FONTCONFIG
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the font database reads the configuration itself, as it always can.
    }
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() { wait(); }

void FontConfigWarmUp::wait()
{
    if (reader_.joinable())
        reader_.join();
}
