#include "io/Settings.h"

#include "io/DocumentFile.h"
#include "io/IoMessages.h"
#include "io/ProfileFile.h"

#include <cmath>
#include <limits>

namespace quirel {
namespace {

constexpr const char* kColours = "Colores";
constexpr const char* kFormat = "Formato";
constexpr const char* kSizeKey = "Tama\xF1o";

template <typename Field> void ReadNumber(const ProfileFile& file, const char* section, const char* key, Field& field)
{
    const Field fallback = field;
    const auto text = file.Get(section, key);
    if (!text) return;
    const double value = std::nearbyint(ParseProfileNumber(*text));
    if (value < static_cast<double>(std::numeric_limits<Field>::min())
        || value > static_cast<double>(std::numeric_limits<Field>::max())) {
        field = fallback;
        return;
    }
    field = static_cast<Field>(value);
}

} // namespace

double ParseProfileNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        sign = text[i] == '-' ? -1 : 1;
        ++i;
    }
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = value * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10)
            value += (text[i] - '0') * scale;
    }
    return sign * value;
}

Settings SettingsFromProfile(const ProfileFile& file)
{
    Settings settings;
    ReadNumber(file, kColours, "Fondo", settings.backgroundColor);
    ReadNumber(file, kColours, "Texto", settings.textColor);
    ReadNumber(file, kColours, "Cursor", settings.cursorColor);
    ReadNumber(file, kColours, "Sombra", settings.shadowColor);
    ReadNumber(file, kFormat, "Margen", settings.margin);
    ReadNumber(file, kFormat, "Tabulacion", settings.tabWidth);
    // A face the document file cannot store would make every later save fail.
    if (const auto face = file.Get(kFormat, "Fuente"); face && IsStorableFaceName(*face)) settings.fontName = *face;
    ReadNumber(file, kFormat, kSizeKey, settings.fontSize);
    ReadNumber(file, kFormat, "Cursor", settings.cursorChar);
    return settings;
}

void StoreSettings(const Settings& settings, ProfileFile& file)
{
    file.Set(kColours, "Fondo", std::to_string(settings.backgroundColor));
    file.Set(kColours, "Texto", std::to_string(settings.textColor));
    file.Set(kColours, "Cursor", std::to_string(settings.cursorColor));
    file.Set(kColours, "Sombra", std::to_string(settings.shadowColor));
    file.Set(kFormat, "Margen", std::to_string(settings.margin));
    file.Set(kFormat, "Tabulacion", std::to_string(settings.tabWidth));
    file.Set(kFormat, "Fuente", std::string_view(settings.fontName).substr(0, 259));
    file.Set(kFormat, kSizeKey, std::to_string(settings.fontSize));
    file.Set(kFormat, "Cursor", std::to_string(static_cast<unsigned>(settings.cursorChar)));
}

FileError ReadSettingsFile(Settings& settings, const std::filesystem::path& folder)
{
    FileError error;
    settings = SettingsFromProfile(ProfileFile::Load(folder / kSettingsFileName, &error));
    return error;
}

FileError WriteSettingsFile(const Settings& settings, const std::filesystem::path& folder, FilePort& port)
{
    const auto path = folder / kSettingsFileName;
    FileError error;
    auto file = ProfileFile::Load(path, &error);
    if (!error.Ok()) return error;
    StoreSettings(settings, file);
    return file.Save(path, port);
}

bool LoadSaveSettings(std::string_view mode, Settings& settings, const std::filesystem::path& folder)
{
    if (mode == "get") {
        ReadSettingsFile(settings, folder);
        return true;
    }
    if (mode == "save") return WriteSettingsFile(settings, folder).Ok();
    return true;
}

std::string SettingsReadMessage(const FileError& error, const std::filesystem::path& folder)
{
    return std::string(kSettingsUnreadableHead) + NameForMessage(folder / kSettingsFileName) + "\r\n"
        + FileProblemText(error) + std::string(kSettingsUnreadableTail);
}

std::string SettingsWriteMessage(const FileError& error, const std::filesystem::path& folder)
{
    return std::string(kSettingsNotWrittenHead) + NameForMessage(folder / kSettingsFileName) + "\r\n"
        + FileProblemText(error) + std::string(kSettingsNotWrittenTail);
}

} // namespace quirel
