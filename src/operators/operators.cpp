#include "operators/operators.h"

#include "app/program.h"
#include "ui/main_window.h"

namespace kob {

void Operators::BindEvents() {}

}  // namespace kob
