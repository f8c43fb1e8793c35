// MakeLicence IN.txt OUT.txt: turns a licence text kept in UTF-8 into the
// form the setup's licence page reads: 16-bit characters, most significant
// byte first, after the byte-order mark FE FF. Line ends become CR LF, as
// the page's multi-line field expects them.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <string>

namespace {

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r'))
            out += '\r';
        out += c;
    }
    return out;
}

bool ToUtf16BigEndian(std::string utf8, std::string* out, std::string* error) {
    iconv_t converter = iconv_open("UTF-16BE", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        *error = std::strerror(errno);
        return false;
    }
    out->assign(utf8.size() * 2 + 2, '\0');
    char* in = utf8.data();
    std::size_t inLeft = utf8.size();
    char* next = out->data() + 2;
    std::size_t outLeft = out->size() - 2;
    const bool converted =
        iconv(converter, &in, &inLeft, &next, &outLeft) != static_cast<size_t>(-1);
    if (!converted)
        *error = std::string("not UTF-8 text: ") + std::strerror(errno);
    iconv_close(converter);
    out->resize(out->size() - outLeft);
    (*out)[0] = '\xFE';
    (*out)[1] = '\xFF';
    return converted;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeLicence IN.txt OUT.txt\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string wide, error;
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "MakeLicence: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!ToUtf16BigEndian(WithCrLf(text), &wide, &error)) {
        std::fprintf(stderr, "MakeLicence: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(wide.data(), static_cast<std::streamsize>(wide.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "MakeLicence: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
