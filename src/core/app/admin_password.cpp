#include "app/admin_password.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vornlfrf::app {

namespace fs = std::filesystem;

namespace {

std::string shifted(const std::string& text, unsigned char by) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(static_cast<unsigned char>(static_cast<unsigned char>(c) + by));
    return out;
}

}  // namespace

std::string scramblePassword(const std::string& plain) {
    return shifted(plain, kPasswordOffset);
}

std::string unscramblePassword(const std::string& scrambled) {
    return shifted(scrambled, static_cast<unsigned char>(256 - kPasswordOffset));
}

AdminPassword::AdminPassword(std::string programFolder)
    : programFolder_(std::move(programFolder)) {}

std::string AdminPassword::path() const {
    return (fs::path(programFolder_) / kPasswordFile).string();
}

bool AdminPassword::PasswordFileExists() const {
    std::error_code ec;
    return fs::exists(path(), ec);
}

bool AdminPassword::CheckPassword(const std::string& typed) const {
    if (typed.empty()) return false;
    std::ifstream in(path(), std::ios::binary);
    if (!in) return false;
    std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The line is everything before its line end: scrambled bytes may themselves be CR or LF
    // (only for control characters with this offset), so the file is not cut at the first one.
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return unscramblePassword(line) == typed;
}

bool AdminPassword::StorePassword(const std::string& password) const {
    const std::string target = path();
    const std::string temporary = target + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        const std::string line = scramblePassword(password) + "\r\n";
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temporary, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

bool AdminPassword::DeletePassword() const {
    std::error_code ec;
    fs::remove(path(), ec);
    return !ec && !PasswordFileExists();
}

}  // namespace vornlfrf::app
