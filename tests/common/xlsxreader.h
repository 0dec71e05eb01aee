// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Reads back what a test needs of an .xlsx file: the files inside the zip
// archive (stored or deflated, as any zip library writes them) and the cells
// of a sheet, each as the text of its value (shared strings resolved).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace kormix::test {

inline std::uint32_t littleEndian(const std::string &bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes.at(at + std::size_t(i)));
    return value;
}

// The content of the archive's file `name`, found through the central
// directory; nothing when it is missing or unreadable.
inline std::optional<std::string> zipEntry(const std::string &zip, const std::string &name)
{
    const std::size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos)
        return std::nullopt;
    std::size_t at = littleEndian(zip, end + 16, 4);
    for (std::uint32_t n = littleEndian(zip, end + 10, 2); n > 0; --n) {
        const std::uint32_t method = littleEndian(zip, at + 10, 2);
        const std::uint32_t packed = littleEndian(zip, at + 20, 4);
        const std::uint32_t size = littleEndian(zip, at + 24, 4);
        const std::uint32_t nameLength = littleEndian(zip, at + 28, 2);
        const std::size_t next = at + 46 + nameLength + littleEndian(zip, at + 30, 2)
                                 + littleEndian(zip, at + 32, 2);
        if (zip.compare(at + 46, nameLength, name) == 0) {
            const std::size_t local = littleEndian(zip, at + 42, 4);
            const std::size_t data = local + 30 + littleEndian(zip, local + 26, 2)
                                     + littleEndian(zip, local + 28, 2);
            if (method == 0)
                return zip.substr(data, packed);
            std::string out(size, '\0');
            z_stream z{};
            if (method != 8 || inflateInit2(&z, -MAX_WBITS) != Z_OK)
                return std::nullopt;
            z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zip.data() + data));
            z.avail_in = packed;
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = size;
            const int status = inflate(&z, Z_FINISH);
            inflateEnd(&z);
            if (status != Z_STREAM_END)
                return std::nullopt;
            return out;
        }
        at = next;
    }
    return std::nullopt;
}

// A cell's place: row and column from 0, as "A1" is (0, 0).
using CellPlace = std::pair<int, int>;
struct SheetCell
{
    std::string value; // the number's text as stored, or the string
    bool isText = false;
    int style = 0;
};

// The cells of a sheet's XML, shared strings looked up in `strings` (the
// workbook's xl/sharedStrings.xml).
inline std::map<CellPlace, SheetCell> sheetCells(const std::string &sheet,
                                                 const std::string &strings)
{
    std::vector<std::string> shared;
    const std::regex si("<t[^>]*>([^<]*)</t>");
    for (auto it = std::sregex_iterator(strings.begin(), strings.end(), si);
         it != std::sregex_iterator();
         ++it)
        shared.push_back((*it)[1]);

    std::map<CellPlace, SheetCell> cells;
    const std::regex c(
            R"re(<c r="([A-Z]+)([0-9]+)"( s="([0-9]+)")?( t="s")?>(<v>([^<]*)</v>)?</c>)re");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), c);
         it != std::sregex_iterator();
         ++it) {
        const std::smatch &m = *it;
        int column = 0;
        for (char letter : m[1].str())
            column = column * 26 + (letter - 'A' + 1);
        SheetCell cell;
        cell.style = m[4].matched ? std::stoi(m[4]) : 0;
        cell.isText = m[5].matched;
        cell.value = cell.isText ? shared.at(std::size_t(std::stoi(m[7]))) : m[7].str();
        cells[{std::stoi(m[2]) - 1, column - 1}] = cell;
    }
    return cells;
}

} // namespace kormix::test
