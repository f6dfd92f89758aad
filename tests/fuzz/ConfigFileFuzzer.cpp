// config.ini: any bytes give settings without fault; the settings written back into the file read
// back the same, and the face name can always be saved in a document.
#include "FuzzFile.h"
#include "io/DocumentFile.h"
#include "io/ProfileFile.h"
#include "io/Settings.h"

using namespace quirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProfileFile file = ProfileFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const Settings settings = SettingsFromProfile(file);
    fuzz::Check(IsStorableFaceName(settings.fontName));
    StoreSettings(settings, file);
    const Settings again = SettingsFromProfile(ProfileFile::Parse(file.Bytes()));
    fuzz::Check(again.backgroundColor == settings.backgroundColor && again.textColor == settings.textColor
        && again.cursorColor == settings.cursorColor && again.shadowColor == settings.shadowColor
        && again.margin == settings.margin && again.tabWidth == settings.tabWidth && again.fontSize == settings.fontSize
        && again.cursorChar == settings.cursorChar);
    return 0;
}
