#pragma once
// Operators and settings: login, login-name list, settings page and list
// order, password change, new operators.
#include <string>

namespace kob {

class Program;

class Operators {
public:
    explicit Operators(Program& program) : program_(program) {}
    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // Login.
    void LogInOperator();
    bool VerifyOperatorLogin();
    void OnPasswordBoxKeyDown(int key_code, int key_state);
    void OnLoginNameBoxKeyDown(int key_code, int key_state);
    // Login-name list; runs on a worker thread.
    void FillLoginNameList();
    // Settings page.
    void ShowSettingsPage();
    void SaveListOrderOption();
    // True when the operator typed the login password again; otherwise the
    // caller stops (a mismatch has been reported, Cancel is silent).
    bool PasswordReentry(const std::string& prompt, const std::string& title);
    // Password change.
    void OpenPasswordChangePanel();
    void OnNewPasswordBoxKeyDown(int key_code, int key_state);
    void OnNewPasswordConfirmBoxKeyDown(int key_code, int key_state);
    void ConfirmPasswordChange();
    // New operators.
    void OpenAddOperatorPanel();
    void ConfirmAddOperator();

private:
    Program& program_;
};

}  // namespace kob
