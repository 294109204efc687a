#include "sdcard/PictureTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace kx4;

TEST(PictureTable, AnchorsAndTheEndOfTheImage)
{
    EXPECT_EQ(ImgName(0), "B0_S0_C0.BMP");
    EXPECT_EQ(ImgOffset(0), 0x10000u);
    EXPECT_EQ(ImgName(1), "B0_S0_C1.BMP");
    EXPECT_EQ(ImgName(2), "B0_S1_C0.BMP");
    EXPECT_EQ(ImgName(1468), "SR0LAD.BMP");
    EXPECT_EQ(ImgName(1469), "SR0LPW.BMP");
    EXPECT_EQ(ImgName(2442), "ChrAmS3W.BMP");
    EXPECT_EQ(ImgOffset(2442), 0x504A400u);
    EXPECT_EQ(ImgName(2443), "ChrPmS3W.BMP");
    EXPECT_EQ(ImgOffset(2443), 0x504B200u);
    EXPECT_EQ(ImgOffset(2443) + SlotSize(2443), 0x504C000u);
    EXPECT_EQ(kCardImageSize, 84'197'376u);
}

TEST(PictureTable, EveryFamilyStartsWhereTheTableSays)
{
    struct Start {
        int row;
        std::uint32_t offset;
        const char* name;
    };
    const Start starts[] = {
        {0, 0x10000, "B0_S0_C0.BMP"},       {8, 0x2B000, "NQT00S0.BMP"},      {14, 0x32C00, "PWS0.BMP"},
        {21, 0x41A00, "PWL0.BMP"},          {28, 0x6F200, "BV0_000.BMP"},     {130, 0x95600, "BV1_000.BMP"},
        {232, 0xD5200, "BV2_000.BMP"},      {334, 0x13B200, "BV3_000.BMP"},   {436, 0x1E0E00, "S0C00_000.BMP"},
        {941, 0x946A00, "S1C00_000.BMP"},   {1446, 0x1A89600, "QVRS0_L.BMP"}, {1452, 0x1CCAE00, "SR0L00.BMP"},
        {1470, 0x2146600, "SR1L00.BMP"},    {1488, 0x23E9600, "SR2L00.BMP"},  {1506, 0x3118600, "SR0P00.BMP"},
        {1524, 0x3593E00, "SR1P00.BMP"},    {1542, 0x3836E00, "SR2P00.BMP"},  {1560, 0x4565E00, "CW_SR0_L.BMP"},
        {1566, 0x47A7600, "CS_3636.BMP"},   {1567, 0x47A8200, "CS_7272.BMP"}, {1568, 0x47AAC00, "BLAB_000.BMP"},
        {1871, 0x49BD000, "BPAB_000.BMP"},  {2174, 0x4E9EE00, "PB00.BMP"},    {2208, 0x4EB8600, "DIGIT0.BMP"},
        {2218, 0x4EB9A00, "CALCUR.BMP"},    {2219, 0x4EB9E00, "ISP_000.BMP"}, {2245, 0x4EFAE00, "ISL_000.BMP"},
        {2271, 0x4F3BE00, "ILP_000.BMP"},   {2297, 0x4FB4200, "ILL_000.BMP"}, {2323, 0x502C600, "MP_ENB.BMP"},
        {2324, 0x502D400, "Chr0S0B.BMP"},
    };
    for (const Start& s : starts) {
        EXPECT_EQ(ImgOffset(s.row), s.offset) << "row " << s.row;
        EXPECT_EQ(ImgName(s.row), s.name) << "row " << s.row;
    }

    // Names inside and at the end of families.
    EXPECT_EQ(ImgName(13), "NQT02S1.BMP");
    EXPECT_EQ(ImgName(128), "BV0_100.BMP");
    EXPECT_EQ(ImgName(129), "BV0_LBLK.BMP");
    EXPECT_EQ(ImgName(537), "S0C01_000.BMP");
    EXPECT_EQ(ImgName(940), "S0C04_100.BMP");
    EXPECT_EQ(ImgName(1451), "QVRS2_P.BMP");
    EXPECT_EQ(ImgName(1559), "SR2PPW.BMP");
    EXPECT_EQ(ImgName(1565), "CW_SR2_P.BMP");
    EXPECT_EQ(ImgName(1669), "BLAG_000.BMP");
    EXPECT_EQ(ImgName(2173), "BPAW_100.BMP");
    EXPECT_EQ(ImgName(2207), "PB33.BMP");
    EXPECT_EQ(ImgName(2220), "ISP_004.BMP");
    EXPECT_EQ(ImgName(2244), "ISP_100.BMP");
    EXPECT_EQ(ImgName(2334), "ChrBlS0B.BMP");
    EXPECT_EQ(ImgName(2339), "Chr0S1B.BMP");
    EXPECT_EQ(ImgName(2384), "Chr0S0W.BMP");

    // Slot sizes that depend on the index within the family.
    EXPECT_EQ(SlotSize(7), 29184u);
    EXPECT_EQ(SlotSize(1446), 261120u);
    EXPECT_EQ(SlotSize(1449), 153600u);
    EXPECT_EQ(SlotSize(1450), 768000u);
    EXPECT_EQ(SlotSize(2324 + 45), 1536u);  // Chr0S3B
    EXPECT_EQ(SlotSize(2324 + 14), 1024u);  // ChrPmS0B
    EXPECT_EQ(SlotSize(2324 + 59), 3584u);  // ChrPmS3B
}

TEST(PictureTable, OffsetsRiseInWholeSectorsAndNamesAreUnique)
{
    std::set<std::string> names;
    for (int i = 0; i < kImgCount; ++i) {
        EXPECT_EQ(ImgOffset(i) % 512, 0u) << i;
        EXPECT_GE(SlotSize(i), 512u) << i;
        EXPECT_EQ(SlotSize(i) % 512, 0u) << i;
        if (i > 0) {
            EXPECT_GT(ImgOffset(i), ImgOffset(i - 1)) << i;
        }
        EXPECT_TRUE(ImgName(i).ends_with(".BMP")) << i;
        names.insert(ImgName(i));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kImgCount));
    for (int i = 2208; i <= 2217; ++i)
        EXPECT_EQ(SlotSize(i), 512u) << ImgName(i);

    // Filling a table again, even one holding other values, gives the same rows.
    PictureTable t;
    t.ImgName.fill("X");
    t.ImgOffset.fill(7);
    InitImageTable(t);
    InitImageTable(t);
    EXPECT_EQ(t.ImgName, ImageTable().ImgName);
    EXPECT_EQ(t.ImgOffset, ImageTable().ImgOffset);
}

TEST(PictureTable, ScreenRowsAndHeaders)
{
    EXPECT_EQ(ScreenRow(1, 0), 1452);
    EXPECT_EQ(ScreenRow(1, 15), 1467);
    EXPECT_EQ(PicFamilyOf(1452), 1);
    EXPECT_EQ(PicFamilyOf(1467), 1);
    EXPECT_EQ(PicFamilyOf(1468), 0);
    EXPECT_EQ(PicFamilyOf(1451), 0);
    EXPECT_EQ(PicFamilyOf(1560), 0);
    EXPECT_EQ(ScreenRow(6, 0), 1542);
    EXPECT_EQ(ScreenRow(6, 15), 1557);

    const char* prefixes[] = {"SR0L", "SR1L", "SR2L", "SR0P", "SR1P", "SR2P"};
    int screenRows = 0;
    for (int i = 0; i < kImgCount; ++i)
        if (PicFamilyOf(i) != 0)
            ++screenRows;
    EXPECT_EQ(screenRows, 96);
    for (int code = 1; code <= 6; ++code) {
        const PicSize size = DispCodeScreenSize(code);
        for (int s = 0; s < 16; ++s) {
            const int row = ScreenRow(code, s);
            EXPECT_EQ(PicFamilyOf(row), code);
            EXPECT_EQ(ImgName(row), std::string(prefixes[code - 1]) + (s < 10 ? "0" : "") + std::to_string(s) + ".BMP");
            EXPECT_EQ(SlotSize(row), static_cast<std::uint32_t>(2 * size.width * size.height)) << row;
            EXPECT_FALSE(HasHeader(row));
        }
    }
    EXPECT_EQ(DispCodeScreenSize(5), (PicSize{240, 320}));
    EXPECT_EQ(DispCodeScreenSize(3), (PicSize{800, 480}));
    EXPECT_EQ(DispCodeScreenSize(0), (PicSize{})) << "a damaged panel size";
    EXPECT_EQ(DispCodeScreenSize(9), (PicSize{}));

    EXPECT_TRUE(HasHeader(1445));
    EXPECT_FALSE(HasHeader(1446));
    EXPECT_FALSE(HasHeader(1565));
    EXPECT_TRUE(HasHeader(1566));
    EXPECT_TRUE(HasHeader(0));
    EXPECT_TRUE(HasHeader(2443));
}
