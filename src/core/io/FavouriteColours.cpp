#include "io/FavouriteColours.h"

#include "io/FileBytes.h"
#include "io/IoMessages.h"

#include <array>
#include <fstream>
#include <system_error>

namespace quirel {
namespace {

std::uint32_t ReadLittleEndian(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i, value >>= 8)
        out += static_cast<char>(value & 0xFF);
}

ColourCell DecodeRecord(const unsigned char* record)
{
    ColourCell cell;
    cell.left = static_cast<std::int32_t>(ReadLittleEndian(record, 4));
    cell.right = static_cast<std::int32_t>(ReadLittleEndian(record + 4, 4));
    cell.top = static_cast<std::int32_t>(ReadLittleEndian(record + 8, 4));
    cell.bottom = static_cast<std::int32_t>(ReadLittleEndian(record + 12, 4));
    cell.column = static_cast<std::int16_t>(ReadLittleEndian(record + 16, 2));
    cell.row = static_cast<std::int16_t>(ReadLittleEndian(record + 18, 2));
    cell.colour = ReadLittleEndian(record + 20, 4);
    return cell;
}

void EncodeRecord(std::string& out, const ColourCell& cell)
{
    AppendLittleEndian(out, static_cast<std::uint32_t>(cell.left), 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(cell.right), 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(cell.top), 4);
    AppendLittleEndian(out, static_cast<std::uint32_t>(cell.bottom), 4);
    AppendLittleEndian(out, static_cast<std::uint16_t>(cell.column), 2);
    AppendLittleEndian(out, static_cast<std::uint16_t>(cell.row), 2);
    AppendLittleEndian(out, cell.colour, 4);
}

std::filesystem::path FileIn(const std::filesystem::path& folder)
{
    return folder / kFavouriteColoursFileName;
}

// Up to maxBytes of a regular file; anything else (a folder, a device, a pipe) reads as empty.
std::string ReadHead(const std::filesystem::path& file, std::size_t maxBytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return {};
    std::ifstream in(file, std::ios::binary);
    std::string bytes(maxBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

ColourCell DefaultColourCell(int column, int row)
{
    ColourCell cell;
    cell.left = kCellPitch * column + kGridOrigin;
    cell.right = kCellPitch * (column + 1) + kGridOrigin;
    cell.top = kCellPitch * row + kGridOrigin;
    cell.bottom = kCellPitch * (row + 1) + kGridOrigin;
    cell.column = static_cast<std::int16_t>(column);
    cell.row = static_cast<std::int16_t>(row);
    cell.colour = kWhiteColour;
    return cell;
}

ColourTable DefaultColourTable()
{
    ColourTable table;
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            table.At(column, row) = DefaultColourCell(column, row);
    return table;
}

ColourTable ParseColourRecords(std::string_view bytes)
{
    ColourTable table;
    std::array<bool, kPaletteCells> found {};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = 0; at + kColourRecordBytes <= bytes.size(); at += kColourRecordBytes) {
        const ColourCell cell = DecodeRecord(data + at);
        if (cell.column < 0 || cell.column >= kColourTableSide || cell.row < 0 || cell.row >= kColourTableSide)
            continue;
        table.At(cell.column, cell.row) = cell;
        if (cell.column < kPaletteColumns && cell.row < kPaletteRows)
            found[static_cast<std::size_t>(cell.row * kPaletteColumns + cell.column)] = true;
    }
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            if (!found[static_cast<std::size_t>(row * kPaletteColumns + column)])
                table.At(column, row) = DefaultColourCell(column, row);
    return table;
}

std::string ColourRecords(const ColourTable& table)
{
    std::string bytes;
    bytes.reserve(kColourFileBytes);
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            EncodeRecord(bytes, table.At(column, row));
    return bytes;
}

ColourTable ReadFavouriteColours(const std::filesystem::path& folder)
{
    const auto file = FileIn(folder);
    std::error_code error;
    // A dangling link or a file that vanished counts as no file.
    if (!std::filesystem::exists(file, error)) return DefaultColourTable();
    return ParseColourRecords(ReadHead(file, kMaxColourFileBytes));
}

std::optional<std::string> SaveFavouriteColours(const std::filesystem::path& folder, const ColourTable& table)
{
    const FileError error = ReplaceFileContents(FileIn(folder), ColourRecords(table));
    if (error.Ok()) return std::nullopt;
    return std::string(kColoursFileErrorHead) + std::to_string(error.number) + " " + FileProblemText(error);
}

void DeleteFavouriteColours(const std::filesystem::path& folder)
{
    std::error_code ignored;
    std::filesystem::remove(FileIn(folder), ignored);
}

std::optional<CellPosition> PaletteCellAt(int x, int y)
{
    if (x < 0 || y < 0) return std::nullopt;
    const int column = x / kCellPitch;
    const int row = y / kCellPitch;
    if (column >= kPaletteColumns || row >= kPaletteRows) return std::nullopt;
    return CellPosition { column, row };
}

} // namespace quirel
