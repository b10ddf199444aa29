#include <gtest/gtest.h>

#include <filesystem>

#include "app/admin_password.h"
#include "app/user_mode.h"
#include "app_temp_folder.h"
#include "common/sim_host.h"

namespace vornlfrf::app {
namespace {

TEST(AdminPassword, ScramblingWrapsAndEveryByteSurvivesAStoreAndACheck) {
    EXPECT_EQ(scramblePassword(std::string(1, '\x0D')), std::string(1, '\x00'));
    EXPECT_EQ(scramblePassword("a"), std::string(1, static_cast<char>(('a' + 0xF3) - 256)));
    testing::TempFolder folder;
    AdminPassword pwd(folder.str());
    for (int code = 0; code < 256; ++code) {
        const std::string p = std::string("x") + static_cast<char>(code) + "y";
        ASSERT_TRUE(pwd.StorePassword(p));
        EXPECT_TRUE(pwd.CheckPassword(p)) << "code " << code;
        EXPECT_FALSE(pwd.CheckPassword(p + "z")) << "code " << code;
    }
    // A trailing byte that scrambles to CR or LF is not taken for the line end.
    for (const char last : {'\x17', '\x1A'}) {
        const std::string p = std::string("ab") + last;
        ASSERT_TRUE(pwd.StorePassword(p));
        EXPECT_TRUE(pwd.CheckPassword(p));
    }
}

TEST(AdminPassword, FileHoldsTheScrambledLineAndExistenceIsThePassword) {
    testing::TempFolder folder;
    AdminPassword pwd(folder.str());
    EXPECT_FALSE(pwd.PasswordFileExists());
    EXPECT_FALSE(pwd.CheckPassword("secret"));
    ASSERT_TRUE(pwd.StorePassword("secret"));
    EXPECT_TRUE(folder.exists("VornLFRF.pwd"));
    EXPECT_EQ(folder.read("VornLFRF.pwd"), scramblePassword("secret") + "\r\n");
    EXPECT_TRUE(pwd.CheckPassword("secret"));
    EXPECT_FALSE(pwd.CheckPassword("Secret"));
    EXPECT_FALSE(pwd.CheckPassword("secre"));
    EXPECT_FALSE(pwd.CheckPassword(""));
    // A file written without a line end reads the same.
    folder.write("VornLFRF.pwd", scramblePassword("abc"));
    EXPECT_TRUE(pwd.CheckPassword("abc"));
    EXPECT_TRUE(pwd.DeletePassword());
    EXPECT_FALSE(pwd.PasswordFileExists());
}

TEST(AdminPassword, WriteAndDeleteFailuresAreReportedNotIgnored) {
    testing::TempFolder folder;
    EXPECT_FALSE(AdminPassword(folder.file("missing")).StorePassword("pw"));

    AdminPassword pwd(folder.str());
    ASSERT_TRUE(pwd.StorePassword("old"));
    // The temporary file cannot be created: the stored password stays as it was.
    std::filesystem::create_directories(folder.file("VornLFRF.pwd.tmp/x"));
    EXPECT_FALSE(pwd.StorePassword("new"));
    EXPECT_TRUE(pwd.CheckPassword("old"));

    testing::TempFolder other;
    std::filesystem::create_directories(other.file("VornLFRF.pwd/x"));
    EXPECT_FALSE(AdminPassword(other.str()).DeletePassword());
}

class FakeModeView : public UserModeView {
  public:
    void SetAdminLayout() override { layout = "admin", ++layouts; }
    void SetUserLayout() override { layout = "user", ++layouts; }
    void setKeySymbolVisible(bool v) override { key = v; }
    void selectMode(Mode m) override { box = m; }
    void showPasswordPanel(const std::string& caption) override { passwordPanel = caption; }
    void hidePasswordPanel() override { passwordPanel.clear(); }
    void showCreatePanel(bool actualEnabled) override {
        createPanel = true;
        actual = actualEnabled;
    }
    void hideCreatePanel() override { createPanel = false; }

    std::string layout;
    int layouts = 0;
    bool key = false;
    Mode box = Mode::Admin;
    std::string passwordPanel;  // caption of butOK while shown
    bool createPanel = false;
    bool actual = false;
};

class UserModeTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;
    SimHost host;
    AdminPassword pwd{folder.str()};
    FakeModeView view;
    UserMode mode{host, pwd, view};

    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& q : host.questions) out.push_back(q.text);
        return out;
    }
    // The operator picks an entry of cboMode.
    void choose(Mode m) {
        view.box = m;
        mode.cboModeChange(m == Mode::Admin ? "Admin" : "User");
    }
};

TEST_F(UserModeTest, WithoutPasswordStartsAdminAndAdminIsGrantedAtOnce) {
    mode.initialise();
    EXPECT_EQ(view.box, Mode::Admin);
    EXPECT_EQ(view.layout, "admin");
    EXPECT_FALSE(mode.bModeMuted);
    choose(Mode::User);
    EXPECT_EQ(view.layout, "user");
    choose(Mode::Admin);
    EXPECT_EQ(view.layout, "admin");
    EXPECT_TRUE(view.passwordPanel.empty());
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(UserModeTest, TheMutedChangeOnlyClearsTheFlag) {
    ASSERT_TRUE(pwd.StorePassword("pw"));
    mode.initialise();
    EXPECT_EQ(view.box, Mode::User);
    EXPECT_EQ(view.layout, "user");
    EXPECT_EQ(view.layouts, 1);
    EXPECT_TRUE(view.key);
    EXPECT_TRUE(view.passwordPanel.empty());
    EXPECT_FALSE(mode.bModeMuted);
}

TEST_F(UserModeTest, PasswordGuardsAdmin) {
    ASSERT_TRUE(pwd.StorePassword("pw"));
    mode.initialise();

    choose(Mode::Admin);
    EXPECT_EQ(view.passwordPanel, "OK");
    EXPECT_EQ(view.layout, "user");
    mode.butOKClick("");  // empty is not correct
    EXPECT_EQ(messages(), std::vector<std::string>{"The password is not correct"});
    EXPECT_EQ(host.questions[0].caption, "Warning");
    EXPECT_EQ(view.box, Mode::User);
    EXPECT_EQ(view.layout, "user");
    EXPECT_TRUE(view.passwordPanel.empty());

    choose(Mode::Admin);
    mode.butCancelClick();
    EXPECT_EQ(view.box, Mode::User);
    EXPECT_EQ(mode.effective(), Mode::User);

    choose(Mode::Admin);
    mode.butOKClick("pw");
    EXPECT_EQ(view.layout, "admin");
    EXPECT_EQ(view.box, Mode::Admin);
    EXPECT_EQ(host.questions.size(), 1u);

    // Choosing the mode in effect again asks nothing.
    choose(Mode::Admin);
    EXPECT_TRUE(view.passwordPanel.empty());
}

TEST_F(UserModeTest, ChoosingUserWhileAskedDropsTheQuestion) {
    ASSERT_TRUE(pwd.StorePassword("pw"));
    mode.initialise();
    choose(Mode::Admin);
    choose(Mode::User);
    EXPECT_TRUE(view.passwordPanel.empty());
    EXPECT_EQ(view.layouts, 1);  // still the start-up User layout
}

TEST_F(UserModeTest, CreateChangeAndDelete) {
    mode.initialise();
    mode.mnuCreatePasswordClick();
    EXPECT_TRUE(view.createPanel);
    EXPECT_FALSE(view.actual);  // nothing to confirm yet
    mode.butCreateOKClick("", "abc", "abd");
    mode.butCreateOKClick("", "", "");
    EXPECT_TRUE(view.createPanel);
    EXPECT_FALSE(pwd.PasswordFileExists());
    mode.butCreateOKClick("", "abc", "abc");
    EXPECT_FALSE(view.createPanel);
    EXPECT_TRUE(view.key);
    EXPECT_TRUE(pwd.CheckPassword("abc"));

    mode.mnuCreatePasswordClick();
    EXPECT_TRUE(view.actual);
    mode.butCreateOKClick("wrong", "new", "new");
    EXPECT_TRUE(view.createPanel);
    mode.butCreateOKClick("abc", "new", "new");
    EXPECT_TRUE(pwd.CheckPassword("new"));
    EXPECT_EQ(messages(), (std::vector<std::string>{"You must enter the same password",
                                                    "You must enter the same password",
                                                    "The actual password is not OK"}));

    host.questions.clear();
    mode.mnuDeletePasswordClick();
    EXPECT_EQ(view.passwordPanel, "Delete");
    mode.butOKClick("abc");
    EXPECT_TRUE(pwd.PasswordFileExists());
    EXPECT_TRUE(view.key);
    mode.mnuDeletePasswordClick();
    mode.butOKClick("new");
    EXPECT_FALSE(pwd.PasswordFileExists());
    EXPECT_FALSE(view.key);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "The password is not correct",
                              "The password is deleted.\nNo password will be needed to go "
                              "into Admin mode"}));
    EXPECT_EQ(view.layout, "admin");  // deleting never changes the mode

    host.questions.clear();
    mode.mnuDeletePasswordClick();  // nothing to delete
    EXPECT_TRUE(view.passwordPanel.empty());
    choose(Mode::User);
    choose(Mode::Admin);
    EXPECT_EQ(view.layout, "admin");
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(UserModeTest, CancellingTheCreatePanelGivesAUserNoAdminLayout) {
    ASSERT_TRUE(pwd.StorePassword("pw"));
    mode.initialise();
    mode.mnuCreatePasswordClick();
    mode.butCreateCancelClick();
    EXPECT_FALSE(view.createPanel);
    EXPECT_EQ(view.layout, "user");
    EXPECT_EQ(mode.effective(), Mode::User);
}

TEST_F(UserModeTest, CancellingADeletionKeepsTheMode) {
    ASSERT_TRUE(pwd.StorePassword("pw"));
    mode.initialise();
    choose(Mode::Admin);
    mode.butOKClick("pw");
    mode.mnuDeletePasswordClick();
    mode.butCancelClick();
    EXPECT_EQ(view.box, Mode::Admin);
    EXPECT_EQ(view.layout, "admin");
    EXPECT_TRUE(pwd.PasswordFileExists());
}

TEST(UserMode, APasswordThatCannotBeWrittenIsNotReportedAsCreated) {
    testing::TempFolder folder;
    SimHost host;
    AdminPassword pwd(folder.file("missing"));
    FakeModeView view;
    UserMode mode(host, pwd, view);
    mode.initialise();
    mode.mnuCreatePasswordClick();
    mode.butCreateOKClick("", "abc", "abc");
    EXPECT_TRUE(view.createPanel);
    EXPECT_FALSE(view.key);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "Error");
}

}  // namespace
}  // namespace vornlfrf::app
