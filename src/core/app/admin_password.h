#pragma once
// The optional Admin password, kept scrambled in "VornLFRF.pwd" in the program folder: every
// byte of the password plus a fixed offset, modulo 256, written as one line. A password exists
// exactly when the file exists.

#include <string>

namespace vornlfrf::app {

inline constexpr char kPasswordFile[] = "VornLFRF.pwd";
// 0xF3 keeps every printable byte away from CR and LF in the scrambled line.
inline constexpr unsigned char kPasswordOffset = 0xF3;
inline constexpr int kPasswordMaxLength = 8;

std::string scramblePassword(const std::string& plain);
std::string unscramblePassword(const std::string& scrambled);

class AdminPassword {
  public:
    explicit AdminPassword(std::string programFolder);

    std::string path() const;
    bool PasswordFileExists() const;
    // False for an empty entry and when the file cannot be read.
    bool CheckPassword(const std::string& typed) const;
    // Replaces the file through a temporary file; false when it cannot be written.
    bool StorePassword(const std::string& password) const;
    // False when the file exists and cannot be removed.
    bool DeletePassword() const;

  private:
    std::string programFolder_;
};

}  // namespace vornlfrf::app
