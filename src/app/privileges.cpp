#include "app/privileges.h"

#include "app/program.h"

namespace kob {

bool IsPrivilegedOperator(const Program& program) {
    return program.CurrentOperator.boss_tel == PrivilegedLoginName;
}

bool DangerConfirmation(Program& program) {
    const std::string text =
        std::string("本操作非常危险，请您务必小心操作，如有疑问请首先致电开发者") +
        std::string(kDeveloperPhone) +
        "，切记，你的数据务必重要\r\n————————————\r\n你可以点击取消终止操作";
    if (program.dialogs.Message(text, "危险提示！！！", MessageButtons::OkCancel,
                                MessageIcon::None) == Answer::Ok) {
        return true;
    }
    program.ShowBalloonTip("未进行操作");
    return false;
}

}  // namespace kob
