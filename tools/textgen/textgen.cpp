// Build-time converter: reads a UTF-8 text table and writes a C++ header in
// which every text is a byte constant in code page 932, so that the rules
// library carries the game's own encoding without converting at run time.
// Conversion is iconv's, never a hand-made table.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool ToCp932(const std::string& utf8, std::string& out) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = utf8;
    out.assign(in.size() * 2 + 16, '\0');
    char* src = in.data();
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

std::string Unescape(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            r += '\n';
            ++i;
        } else {
            r += s[i];
        }
    }
    return r;
}

// Octal escapes of fixed width cannot swallow a following digit.
std::string CLiteral(const std::string& bytes) {
    std::string r = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
            r += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            r += buf;
        }
    }
    return r + "\"";
}

}  // namespace

// --raw NAME INPUT OUTPUT: the whole file as one constant (dialog templates).
int Raw(const char* name, const char* input, const char* output) {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::cerr << "textgen: cannot read " << input << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string sjis;
    if (!ToCp932(text.str(), sjis)) {
        std::cerr << input << ": not representable in CP932\n";
        return 1;
    }
    std::ofstream o(output, std::ios::binary);
    o << "// Generated from " << input << " by textgen. Do not edit.\n#pragma once\n\n"
      << "inline constexpr char " << name << "[] =\n";
    size_t start = 0;
    while (start < sjis.size()) {
        size_t end = sjis.find('\n', start);
        end = end == std::string::npos ? sjis.size() : end + 1;
        o << "    " << CLiteral(sjis.substr(start, end - start)) << "\n";
        start = end;
    }
    o << "    \"\";\n";
    return o ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--raw") return Raw(argv[2], argv[3], argv[4]);
    if (argc != 3) {
        std::cerr << "usage: textgen INPUT.def OUTPUT.h\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "textgen: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream out;
    out << "// Generated from " << argv[1] << " by textgen. Do not edit.\n"
        << "#pragma once\n\n";
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t sp = line.find(' ');
        if (sp == std::string::npos) {
            std::cerr << argv[1] << ":" << lineNo << ": missing text\n";
            return 1;
        }
        std::string name = line.substr(0, sp);
        std::string text = Unescape(line.substr(sp + 1));
        std::string sjis;
        if (!ToCp932(text, sjis)) {
            std::cerr << argv[1] << ":" << lineNo << ": not representable in CP932\n";
            return 1;
        }
        std::string comment = line.substr(sp + 1);
        out << "// " << comment << "\n"
            << "inline constexpr char " << name << "[] = " << CLiteral(sjis) << ";\n";
    }
    std::ofstream o(argv[2], std::ios::binary);
    o << out.str();
    return o ? 0 : 1;
}
