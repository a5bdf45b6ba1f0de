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

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
inline int pdfPageCount(const std::string& pdf)
{
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

inline bool looksLikePdf(const std::string& bytes)
{
    return bytes.rfind("%PDF-", 0) == 0 && bytes.find("%%EOF") != std::string::npos;
}
