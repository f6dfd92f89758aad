#include "io/FavouriteColours.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <random>

using namespace quirel;

namespace {

const std::string kFile { kFavouriteColoursFileName };

std::string Record(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom, std::int16_t column,
    std::int16_t row, std::uint32_t colour)
{
    std::string bytes;
    auto put = [&](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i, value >>= 8)
            bytes += static_cast<char>(value & 0xFF);
    };
    put(static_cast<std::uint32_t>(left), 4);
    put(static_cast<std::uint32_t>(right), 4);
    put(static_cast<std::uint32_t>(top), 4);
    put(static_cast<std::uint32_t>(bottom), 4);
    put(static_cast<std::uint16_t>(column), 2);
    put(static_cast<std::uint16_t>(row), 2);
    put(colour, 4);
    return bytes;
}

TEST(FavouriteColours, DefaultCellsAndTheGridUnderThePointer)
{
    EXPECT_EQ(DefaultColourCell(0, 0), (ColourCell { 1, 26, 1, 26, 0, 0, 0xFFFFFF }));
    EXPECT_EQ(DefaultColourCell(12, 9), (ColourCell { 301, 326, 226, 251, 12, 9, 0xFFFFFF }));
    const auto table = DefaultColourTable();
    EXPECT_EQ(table.At(12, 9), DefaultColourCell(12, 9));
    EXPECT_EQ(table.At(13, 0), ColourCell {});

    const std::tuple<int, int, std::optional<CellPosition>> points[] = {
        { 0, 0, CellPosition { 0, 0 } },
        { 24, 24, CellPosition { 0, 0 } },
        { 25, 49, CellPosition { 1, 1 } },
        { 324, 249, CellPosition { 12, 9 } },
        { 325, 10, std::nullopt },
        { 10, 250, std::nullopt },
        { -1, 10, std::nullopt },
        { 10, -24, std::nullopt },
    };
    for (const auto& [x, y, cell] : points)
        EXPECT_EQ(PaletteCellAt(x, y), cell) << x << "," << y;
}

TEST(FavouriteColours, WritesTheTablesPaletteAsRecordsInRowOrder)
{
    auto table = DefaultColourTable();
    table.At(1, 0).colour = 0x123456;
    table.At(20, 20) = DefaultColourCell(20, 20); // outside the palette: not written
    const std::string bytes = ColourRecords(table);
    ASSERT_EQ(bytes.size(), 3120u);
    EXPECT_EQ(bytes.substr(0, 24), Record(1, 26, 1, 26, 0, 0, 0xFFFFFF));
    EXPECT_EQ(bytes.substr(24, 24), Record(26, 51, 1, 26, 1, 0, 0x123456));
    EXPECT_EQ(bytes.substr(13 * 24, 24), Record(1, 26, 26, 51, 0, 1, 0xFFFFFF));
    EXPECT_EQ(bytes.substr(129 * 24), Record(301, 326, 226, 251, 12, 9, 0xFFFFFF));
    EXPECT_EQ(ParseColourRecords(bytes).At(1, 0).colour, 0x123456u);
}

TEST(FavouriteColours, ReadingPlacesRecordsByTheirOwnColumnAndRow)
{
    const std::string bytes = Record(5, 6, 7, 8, 3, 2, 0x0000FF) // used as it is, rectangle too
        + Record(0, 0, 0, 0, 4, 4, 0x111111) + Record(1, 2, 3, 4, 4, 4, 0x222222) // the later one wins
        + Record(1, 2, 3, 4, 50, 50, 0x333333) // kept, not shown
        + Record(1, 2, 3, 4, 51, 0, 0x444444) + Record(1, 2, 3, 4, -1, 0, 0x555555) // outside: ignored
        + Record(1, 2, 3, 4, 0, 1000, 0x666666) + std::string(23, '\x7F'); // and a partial record
    const auto table = ParseColourRecords(bytes);
    EXPECT_EQ(table.At(3, 2), (ColourCell { 5, 6, 7, 8, 3, 2, 0x0000FF }));
    EXPECT_EQ(table.At(4, 4), (ColourCell { 1, 2, 3, 4, 4, 4, 0x222222 }));
    EXPECT_EQ(table.At(50, 50).colour, 0x333333u);
    EXPECT_EQ(table.At(0, 0), DefaultColourCell(0, 0)); // no record: stays visible
    EXPECT_EQ(table.At(13, 0), ColourCell {});
    EXPECT_EQ(ColourRecords(table).substr((2 * 13 + 3) * 24, 24), Record(5, 6, 7, 8, 3, 2, 0x0000FF));
}

TEST(FavouriteColours, FileRoundTripMissingFileAndDeletion)
{
    TempFolder folder;
    EXPECT_EQ(ColourRecords(ReadFavouriteColours(folder.Path())), ColourRecords(DefaultColourTable()));
    auto table = DefaultColourTable();
    table.At(7, 3).colour = 0x00FF00;
    EXPECT_EQ(SaveFavouriteColours(folder.Path(), table), std::nullopt);
    EXPECT_EQ(folder.Read(kFile).size(), 3120u);
    EXPECT_EQ(ReadFavouriteColours(folder.Path()).At(7, 3).colour, 0x00FF00u);
    DeleteFavouriteColours(folder.Path());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / kFile));
    DeleteFavouriteColours(folder.Path()); // nothing left to delete: no harm
}

TEST(FavouriteColours, AFailedSaveReportsTheErrorAndLeavesWhatWasThere)
{
    TempFolder folder;
    // A folder in place of the file cannot be replaced by it, whoever runs the test.
    std::filesystem::create_directories(folder.Path() / kFile / "inside");
    const auto message = SaveFavouriteColours(folder.Path(), DefaultColourTable());
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->rfind("Err:  21 ", 0), 0u) << *message;
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / kFile / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1); // no half-written file
}

TEST(FavouriteColours, AFolderInPlaceOfTheFileReadsAsEmpty)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / kFile);
    EXPECT_EQ(ColourRecords(ReadFavouriteColours(folder.Path())), ColourRecords(DefaultColourTable()));
}

// Damaged files: bytes flipped, records cut, lengths changed. Reading never fails, every cell read
// is one that the file names inside the table, and the palette written back is always 3120 bytes.
TEST(FavouriteColours, DamagedFilesNeverBreakTheReader)
{
    auto table = DefaultColourTable();
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            table.At(column, row).colour = static_cast<std::uint32_t>(row * 0x10101 + column);
    const std::string good = ColourRecords(table);
    std::mt19937 random(8);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(random() % 12);
        for (int e = 0; e < edits; ++e) {
            switch (random() % 4) {
            case 0:
                if (!bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(random());
                break;
            case 1:
                bytes.resize(random() % (bytes.size() + 1));
                break;
            case 2:
                bytes.insert(
                    random() % (bytes.size() + 1), std::string(1 + random() % 30, static_cast<char>(random())));
                break;
            default:
                if (!bytes.empty()) // a record's column or row at the edge of the table or beyond it
                    bytes[(random() % bytes.size()) / 24 * 24 + 16 + random() % 4] = "\x32\x33\xFF\x80"[random() % 4];
            }
        }
        const auto read = ParseColourRecords(bytes);
        EXPECT_EQ(ColourRecords(read).size(), 3120u);
        for (int column = 0; column < kColourTableSide; ++column)
            for (int row = 0; row < kColourTableSide; ++row) {
                const auto& cell = read.At(column, row);
                if (cell == ColourCell {} || cell == DefaultColourCell(column, row)) continue;
                ASSERT_EQ(cell.column, column);
                ASSERT_EQ(cell.row, row);
            }
    }
}

} // namespace
