#include "io/Settings.h"

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

void Load(Settings& settings, const std::filesystem::path& path)
{
    const auto file = ProfileFile::Load(path);
    settings = Settings {}; // every key starts from its default
    ReadNumber(file, kColours, "Fondo", settings.backgroundColor);
    ReadNumber(file, kColours, "Texto", settings.textColor);
    ReadNumber(file, kColours, "Cursor", settings.cursorColor);
    ReadNumber(file, kColours, "Sombra", settings.shadowColor);
    ReadNumber(file, kFormat, "Margen", settings.margin);
    ReadNumber(file, kFormat, "Tabulacion", settings.tabWidth);
    if (const auto face = file.Get(kFormat, "Fuente")) settings.fontName = *face;
    ReadNumber(file, kFormat, kSizeKey, settings.fontSize);
    ReadNumber(file, kFormat, "Cursor", settings.cursorChar);
}

bool Save(const Settings& settings, const std::filesystem::path& path)
{
    auto file = ProfileFile::Load(path);
    file.Set(kColours, "Fondo", std::to_string(settings.backgroundColor));
    file.Set(kColours, "Texto", std::to_string(settings.textColor));
    file.Set(kColours, "Cursor", std::to_string(settings.cursorColor));
    file.Set(kColours, "Sombra", std::to_string(settings.shadowColor));
    file.Set(kFormat, "Margen", std::to_string(settings.margin));
    file.Set(kFormat, "Tabulacion", std::to_string(settings.tabWidth));
    file.Set(kFormat, "Fuente", std::string_view(settings.fontName).substr(0, 259));
    file.Set(kFormat, kSizeKey, std::to_string(settings.fontSize));
    file.Set(kFormat, "Cursor", std::to_string(static_cast<unsigned>(settings.cursorChar)));
    return file.Save(path);
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

bool LoadSaveSettings(std::string_view mode, Settings& settings, const std::filesystem::path& folder)
{
    const auto path = folder / "config.ini";
    if (mode == "get") {
        Load(settings, path);
        return true;
    }
    if (mode == "save") return Save(settings, path);
    return true;
}

} // namespace quirel
