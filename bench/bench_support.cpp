#include "bench_support.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

#include "support/test_server.h"
#include "ui/main_window.h"

namespace kob::bench {

void PrepareQt() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
}

bool OnTestServer(const char* bench) {
    const std::string refusal = test::RefusalUnlessTestServer(bench);
    if (!refusal.empty()) {
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<Program> LoggedInProgram(Program::Services services, int page) {
    auto program = std::make_unique<Program>(services);
    program->CreateMainWindow();
    program->LoggedIn = 1;
    program->CurrentOperator = {"1", "Rudal", "Rudal"};
    program->window().选择夹1->SetCurrentPage(page);
    program->ShowMainWindow();
    return program;
}

bool TableFiller::Connected() const {
    if (connection_.IsNone()) {
        std::fprintf(stderr, "%s: no server on port %u (bash scripts/db.sh start)\n", bench_,
                     data::DbEndpoint::kPort);
        return false;
    }
    return true;
}

bool TableFiller::Exec(const std::string& sql) {
    if (!connection_.Execute(sql)) {
        std::fprintf(stderr, "%s: statement failed: %s\n", bench_, sql.c_str());
        return false;
    }
    return true;
}

bool TableFiller::EmptyTables() {
    return Exec("TRUNCATE TABLE `userlist`") && Exec("TRUNCATE TABLE `paylist`") &&
           Exec("TRUNCATE TABLE `costlist`");
}

std::string MemberNameExpression(std::string_view number) {
    const std::string u(number);
    return "CONCAT(ELT(1+" + u +
           "%20,'王','李','张','刘','陈','杨','黄','赵','吴','周','徐','孙','马','朱','胡','曾',"
           "'单','乐','解','仇'),ELT(1+(" +
           u +
           " DIV 20)%20,'小','建','国','明','华','丽','伟','芳','军','静','强','磊','洋','艳','勇',"
           "'杰','娟','涛','超','霞'),IF(" +
           u + "%3=0,'',ELT(1+(" + u +
           " DIV 400)%10,'平','刚','桂','英','兰','喆','犇','鑫','淼','燚')))";
}

std::string InsertMembersStatement(std::string_view number, std::string_view from) {
    const std::string u(number);
    return "INSERT INTO `userlist`(`user_id`,`user_del`,`user_name`,`user_tel`) SELECT " + u +
           ",0," + MemberNameExpression(u) + ",CONCAT('13',LPAD((" + u +
           "*7919)%1000000000,9,'0')) FROM " + std::string(from);
}

}  // namespace kob::bench
