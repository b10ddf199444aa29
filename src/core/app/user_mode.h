#pragma once
// The two user modes and the password panels. "User" may run tests but not edit the LF and RF
// configuration; an optional password guards the way back to "Admin".
//
// The mode box only notifies operator choices (selectMode from here does not call back), and
// the layout of the mode in effect is tracked here, so the box never shows "Admin" over a User
// layout once a password question has been answered or abandoned.

#include <string>

#include "app/admin_password.h"
#include "common/host.h"

namespace vornlfrf::app {

enum class Mode { Admin = 0, User = 1 };

namespace text {
inline constexpr char kAdmin[] = "Admin";
inline constexpr char kUser[] = "User";
inline constexpr char kOk[] = "OK";
inline constexpr char kDelete[] = "Delete";
inline constexpr char kNotCorrect[] = "The password is not correct";
inline constexpr char kDeleted[] =
    "The password is deleted.\nNo password will be needed to go into Admin mode";
inline constexpr char kActualNotOk[] = "The actual password is not OK";
inline constexpr char kSamePassword[] = "You must enter the same password";
inline constexpr char kWriteFailed[] =
    "Error during password writing !\r\nVerify that the file can be updated.";
inline constexpr char kDeleteFailed[] =
    "Error during password deletion !\r\nVerify that the file can be deleted.";
}  // namespace text

class UserModeView {
  public:
    virtual ~UserModeView() = default;
    virtual void SetAdminLayout() = 0;
    virtual void SetUserLayout() = 0;
    virtual void setKeySymbolVisible(bool visible) = 0;  // imgClef
    // Sets cboMode without acting on the change.
    virtual void selectMode(Mode mode) = 0;
    // panPassword with butOK captioned okCaption and txtPassword emptied.
    virtual void showPasswordPanel(const std::string& okCaption) = 0;
    virtual void hidePasswordPanel() = 0;
    // panCreatePassword with its three fields emptied; lblCreateActual and txtCreateActual
    // enabled only when a password exists.
    virtual void showCreatePanel(bool actualEnabled) = 0;
    virtual void hideCreatePanel() = 0;
};

class UserMode {
  public:
    UserMode(Host& host, const AdminPassword& password, UserModeView& view)
        : host_(host), password_(password), view_(view) {}

    // Start-up choice: "User" behind a password, "Admin" otherwise; then the one muted change.
    void initialise();
    void cboModeChange(const std::string& text);

    void butOKClick(const std::string& typed);
    void butCancelClick();
    void mnuCreatePasswordClick();
    void butCreateOKClick(const std::string& actual, const std::string& password,
                          const std::string& confirm);
    void butCreateCancelClick();
    void mnuDeletePasswordClick();
    // A run start abandons an unanswered question for "Admin".
    void abandonAdminRequest();

    Mode effective() const { return effective_; }
    bool bModeMuted = true;

  private:
    enum class Panel { None, EnterAdmin, Delete };
    void applyAdmin();
    void applyUser();
    void warn(const char* text);

    Host& host_;
    const AdminPassword& password_;
    UserModeView& view_;
    Mode effective_ = Mode::Admin;
    Panel panel_ = Panel::None;
    bool createActualEnabled_ = false;
};

}  // namespace vornlfrf::app
