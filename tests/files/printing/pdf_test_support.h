// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

// The bytes of a file, or an empty text when it cannot be read.
inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A whole PDF file (header and end marker) of exactly one page object
// ("/Type /Page", not the "/Type /Pages" tree).
inline bool isOnePagePdf(const std::string& pdf)
{
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
    const auto pages = std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator());
    return pdf.rfind("%PDF-", 0) == 0 && pdf.find("%%EOF") != std::string::npos && pages == 1;
}
