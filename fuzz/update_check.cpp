// The update check on any description file, details text, server address and
// running version: a version equal to the running one is never "new", a new
// one is never empty or "0", the address it may open is always a plain web
// address, and a new version always comes with a details text, which is valid
// UTF-8 with every line break a CR LF, whatever the bytes served.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>

#include "FuzzSupport.h"
#include "settings/Codecs.h"
#include "system/UpdateCheck.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

// Serves the fuzzed bytes as the downloaded files.
class FileServer final : public UpdateTransport {
  public:
    std::string description, details;
    bool fail = false;
    std::string Download(const std::string& url, const std::string& path) override {
        Check(IsWebAddress(url), "only web addresses are fetched", url);
        if (fail) return "le serveur ne répond pas";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string& bytes = path.ends_with(kUpdateFile) ? description : details;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return {};
    }
};

bool ValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t len = b < 0x80                 ? 1
                           : b >= 0xC2 && b <= 0xDF ? 2
                           : b >= 0xE0 && b <= 0xEF ? 3
                           : b >= 0xF0 && b <= 0xF4 ? 4
                                                    : 0;
        if (len == 0 || i + len > s.size()) return false;
        char32_t cp = b & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

// Readable: valid UTF-8, no NUL, every CR followed by LF and every LF preceded by CR.
void CheckReadable(const std::string& text) {
    Check(ValidUtf8(text), "the details are valid UTF-8", text);
    for (size_t i = 0; i < text.size(); ++i) {
        Check(text[i] != '\0', "the details hold no NUL", text);
        if (text[i] == '\r') Check(i + 1 < text.size() && text[i + 1] == '\n', "CR LF", text);
        if (text[i] == '\n') Check(i > 0 && text[i - 1] == '\r', "CR LF", text);
    }
}

bool ShellSafe(const std::string& a) {
    for (const unsigned char c : a)
        if (c < 0x21 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '|' || c == '^' ||
            c == '\\')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    UpdateSetup setup;
    setup.folder = (fuzz::ScratchDir() / "").string();
    setup.fileVersion = in.ConsumeBool() ? "1.0.0.0" : in.ConsumeRandomLengthString(16);
    setup.server =
        in.ConsumeBool() ? "https://exemple.fr/pilotune" : in.ConsumeRandomLengthString(40);
    FileServer server;
    server.fail = in.ConsumeIntegralInRange(0, 15) == 0;
    server.details = in.ConsumeRandomLengthString(200);
    server.description = in.ConsumeRemainingBytesAsString();

    (void)UpdateFileAddress(setup.server);
    const Windows1252Codec ansi;
    CheckReadable(DecodeDetailsText(server.details, ansi));
    const UpdateResult r = CheckForUpdate(setup, server);
    Check(r.caption == "Mise à jour de Pilotune V" + setup.fileVersion,
          "the caption names the running version");
    Check(!r.message.empty(), "every outcome has a message");
    if (!r.address.empty())
        Check(IsWebAddress(r.address) && ShellSafe(r.address),
              "the address opened is a plain web address", r.address);
    if (r.outcome == UpdateOutcome::NewVersion) {
        Check(!r.version.empty() && r.version != "0" && r.version != setup.fileVersion,
              "a new version differs from the running one", r.version, setup.fileVersion);
        Check(!r.details.empty(), "a new version comes with details");
        CheckReadable(r.details);
    } else {
        Check(r.version.empty(), "only a new version is named");
    }
    if (!IsWebAddress(setup.server))
        Check(r.outcome == UpdateOutcome::Failed, "no server, no check");
    return 0;
}
