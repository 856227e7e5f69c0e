#pragma once
// Operators and settings: login, login-name list, settings page and list
// order, password change, new operators.
#include <cstdint>
#include <memory>
#include <string>

namespace kob {

class Program;
class PushButton;
class Frame;

namespace data {
class SharedSession;
}

// One bosslist row as the login-name list reads it.
struct OperatorRecord {
    std::string boss_id;
    std::string boss_tel;
    std::string boss_name;
    std::string boss_key;
};

class Operators {
  public:
    explicit Operators(Program& program);
    // Waits for a login-name worker that still runs: it uses the program's
    // database, which goes away with the program.
    ~Operators();
    Operators(const Operators&) = delete;
    Operators& operator=(const Operators&) = delete;

    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // Step of the window's creation: FillLoginNameList on a worker thread,
    // not waited for.
    void StartLoginNameWorker();
    // True once the worker's items have reached the drop-down (also when
    // there were none); read on the window thread.
    bool LoginNameListFilled() const;

    // Login.
    void LogInOperator();
    enum class LoginCheck { Matches, DoesNotMatch, Unreachable };
    LoginCheck VerifyOperatorLogin();
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
    // The opening rule of the settings sub-panels: all three hidden first,
    // then the one panel placed 5 pixels below its button and shown.
    void HideSettingsSubPanels();
    void ShowSettingsSubPanel(PushButton& button, Frame& panel);
    // The panels behind the password asked again: the others hidden, then the
    // question, then the panel shown; false when the operator got no further.
    bool OpenSubPanelAfterReentry(const std::string& prompt, const std::string& title,
                                  PushButton& button, Frame& panel);
    // Password change.
    void OpenPasswordChangePanel();
    void OnNewPasswordBoxKeyDown(int key_code, int key_state);
    void OnNewPasswordConfirmBoxKeyDown(int key_code, int key_state);
    void ConfirmPasswordChange();
    // New operators.
    void OpenAddOperatorPanel();
    void ConfirmAddOperator();

  private:
    struct WorkerState;
    static void ReadOperatorRow(data::SharedSession& session, OperatorRecord& record,
                                int32_t row_number);

    Program& program_;
    // Shared with the worker and with the calls it queues to the window
    // thread, which may run after this object is gone.
    std::shared_ptr<WorkerState> worker_;
};

}  // namespace kob
