#include "data/ProjectFiles.h"

#include "data/Ansi.h"

namespace kx4 {
namespace fs = std::filesystem;

namespace {

void PutWord(std::vector<std::uint8_t>& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

i16 WordAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<i16>(bytes[offset] | (bytes[offset + 1] << 8));
}

template <std::size_t N>
void PutWords(std::vector<std::uint8_t>& out, const std::array<i16, N>& words)
{
    for (const i16 w : words)
        PutWord(out, w);
}

template <std::size_t N>
std::size_t GetWords(std::span<const std::uint8_t> bytes, std::size_t offset, std::array<i16, N>& words)
{
    for (std::size_t i = 0; i < N; ++i, offset += 2)
        words[i] = WordAt(bytes, offset);
    return offset;
}

} // namespace

IoResult EncodePanelData(const ProjectTables& tables, std::vector<std::uint8_t>& out)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kPanelTablesBytes + 16 * 16);
    PutWords(bytes, tables.PanelCfg);
    PutWords(bytes, tables.DesignCfg);
    for (int s = 0; s < kScreenCount; ++s)
        if (!PutCountedString(bytes, tables.ScreenBG[s]))
            return IoResult::Fail("The background of screen " + std::to_string(s) + " is too long to be saved.");
    out = std::move(bytes);
    return IoResult::Ok();
}

IoResult DecodePanelData(std::span<const std::uint8_t> bytes, ProjectTables& out, const std::string& what)
{
    const IoResult damaged = IoResult::Fail(Quoted(what) + " is not a panel data file: it is cut short or damaged.");
    if (bytes.size() < kPanelTablesBytes)
        return damaged;
    ProjectTables t;
    std::size_t at = GetWords(bytes, 0, t.PanelCfg);
    at = GetWords(bytes, at, t.DesignCfg);
    for (int s = 0; s < kScreenCount; ++s)
        if (!GetCountedString(bytes, at, t.ScreenBG[s]))
            return damaged;
    // Options that no list can show would leave the window without a panel size or node.
    if (!PanelSettingsShowable(t))
        return damaged;
    out = std::move(t);
    return IoResult::Ok();
}

IoResult EncodeScreenData(const ScreenData& screen, std::vector<std::uint8_t>& out, const std::string& what)
{
    const std::string ansi = Utf8ToAnsi(screen.background);
    if (ansi.size() > kScreenBackgroundCodes)
        return IoResult::Fail("Cannot export to " + Quoted(what) + ": the screen's background text is longer than "
                              + std::to_string(kScreenBackgroundCodes) + " characters.");
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kScreenFileBytes);
    PutWords(bytes, screen.cfg);
    PutWords(bytes, screen.dsn);
    for (std::size_t k = 0; k < kScreenBackgroundCodes; ++k)
        PutWord(bytes, k < ansi.size() ? static_cast<std::uint8_t>(ansi[k]) : 0);
    out = std::move(bytes);
    return IoResult::Ok();
}

IoResult DecodeScreenData(std::span<const std::uint8_t> bytes, ScreenData& out, const std::string& what)
{
    if (bytes.size() < kScreenFileBytes)
        return IoResult::Fail(Quoted(what) + " is not a screen file: it is cut short or damaged.");
    ScreenData screen;
    std::size_t at = GetWords(bytes, 0, screen.cfg);
    at = GetWords(bytes, at, screen.dsn);
    for (std::size_t k = 0; k < kScreenBackgroundCodes; ++k, at += 2) {
        const i16 code = WordAt(bytes, at);
        if (code > 0)
            AppendAnsiChar(screen.background, code <= 255 ? static_cast<std::uint8_t>(code) : std::uint8_t{'?'});
    }
    out = std::move(screen);
    return IoResult::Ok();
}

IoResult SavePanelDataFile(const ProjectTables& tables, const fs::path& file)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = EncodePanelData(tables, bytes); !r)
        return IoResult::Fail("Cannot save " + Quoted(file) + ": " + r.message);
    return WriteFileAtomic(file, bytes);
}

IoResult LoadPanelDataFile(const fs::path& file, ProjectTables& out)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadWholeFile(file, bytes); !r)
        return r;
    return DecodePanelData(bytes, out, file.string());
}

IoResult ExportScreenFile(const ScreenData& screen, const fs::path& file)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = EncodeScreenData(screen, bytes, file.string()); !r)
        return r;
    return WriteFileAtomic(file, bytes);
}

IoResult ImportScreenFile(const fs::path& file, ScreenData& out)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadWholeFile(file, bytes); !r)
        return r;
    return DecodeScreenData(bytes, out, file.string());
}

} // namespace kx4
