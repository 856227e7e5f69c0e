#pragma once
// The operators' statements, built from plain values: the handlers send
// them and the database tests run the very same texts.
#include <string>

#include "data/db.h"

namespace kob {

// Every operator, for the login-name list.
std::string OperatorListQuery();
// The operators of a login name, as the login looks them up.
std::string OperatorLoginQuery(const std::string& login_name);
// The operators' password set anew by login name; repeatable.
data::Write PasswordChangeWrite(const std::string& login_name, const std::string& password);

// A new operator: written only while no account holds the login name, so a
// desk that takes the name meanwhile leaves the row unwritten.
data::Write OperatorInsertWrite(const std::string& login_name, const std::string& name,
                                const std::string& password);
// Run before the insert, on its connection: the insert's mark as `mark` and
// whether the login name is taken already as `taken`.
std::string OperatorInsertPrecheck(const data::Write& insert, const std::string& login_name);

}  // namespace kob
