#include "app/user_mode.h"

namespace vornlfrf::app {

void UserMode::warn(const char* text) {
    host_.messageBox(text, "Warning", MsgIcon::Warning, MsgButtons::Ok);
}

void UserMode::applyAdmin() {
    effective_ = Mode::Admin;
    view_.SetAdminLayout();
}

void UserMode::applyUser() {
    effective_ = Mode::User;
    view_.SetUserLayout();
}

void UserMode::initialise() {
    bModeMuted = true;
    if (password_.PasswordFileExists()) {
        view_.setKeySymbolVisible(true);
        view_.selectMode(Mode::User);
        applyUser();
        cboModeChange(text::kUser);
    } else {
        view_.selectMode(Mode::Admin);
        applyAdmin();
        cboModeChange(text::kAdmin);
    }
}

void UserMode::cboModeChange(const std::string& text) {
    if (bModeMuted) {
        bModeMuted = false;
        return;
    }
    if (text == text::kAdmin) {
        if (effective_ == Mode::Admin) return;
        if (password_.PasswordFileExists()) {
            view_.setKeySymbolVisible(true);
            panel_ = Panel::EnterAdmin;
            view_.showPasswordPanel(text::kOk);
        } else {
            view_.setKeySymbolVisible(false);
            applyAdmin();
        }
    } else if (text == text::kUser) {
        if (panel_ == Panel::EnterAdmin) {
            panel_ = Panel::None;
            view_.hidePasswordPanel();
        }
        if (effective_ != Mode::User) applyUser();
    }
}

void UserMode::butOKClick(const std::string& typed) {
    const Panel purpose = panel_;
    panel_ = Panel::None;
    view_.hidePasswordPanel();
    const bool correct = password_.CheckPassword(typed);
    if (purpose == Panel::Delete) {
        // A deletion asked over an unanswered "Admin" request leaves the mode in effect.
        view_.selectMode(effective_);
        if (!correct) {
            warn(text::kNotCorrect);
            return;
        }
        if (!password_.DeletePassword()) {
            host_.messageBox(text::kDeleteFailed, "Error", MsgIcon::Error, MsgButtons::Ok);
            return;
        }
        view_.setKeySymbolVisible(false);
        host_.messageBox(text::kDeleted, "Information", MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    if (correct) {
        view_.selectMode(Mode::Admin);
        applyAdmin();
    } else {
        warn(text::kNotCorrect);
        view_.selectMode(Mode::User);
        if (effective_ != Mode::User) applyUser();
    }
}

void UserMode::butCancelClick() {
    panel_ = Panel::None;
    view_.hidePasswordPanel();
    // Abandoning the question for "Admin" leaves "User"; abandoning a deletion changes nothing.
    view_.selectMode(effective_);
}

void UserMode::abandonAdminRequest() {
    if (panel_ != Panel::EnterAdmin) return;
    butCancelClick();
}

void UserMode::mnuCreatePasswordClick() {
    createActualEnabled_ = password_.PasswordFileExists();
    view_.showCreatePanel(createActualEnabled_);
}

void UserMode::butCreateOKClick(const std::string& actual, const std::string& password,
                                const std::string& confirm) {
    if (createActualEnabled_ && !password_.CheckPassword(actual)) {
        warn(text::kActualNotOk);
        return;
    }
    if (password != confirm || password.empty()) {
        warn(text::kSamePassword);
        return;
    }
    if (!password_.StorePassword(password)) {
        host_.messageBox(text::kWriteFailed, "Error", MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    view_.setKeySymbolVisible(true);
    view_.hideCreatePanel();
}

void UserMode::butCreateCancelClick() {
    // Leaves the layout alone: cancelling here must not open the Admin layout to a User.
    view_.hideCreatePanel();
}

void UserMode::mnuDeletePasswordClick() {
    if (!password_.PasswordFileExists()) return;
    panel_ = Panel::Delete;
    view_.showPasswordPanel(text::kDelete);
}

}  // namespace vornlfrf::app
