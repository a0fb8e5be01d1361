#include "support/scratch_database.h"

#include "data/sql_names.h"

#include <atomic>
#include <cctype>
#include <stdexcept>
#include <utility>

#include <unistd.h>

namespace testserver {
namespace {

// "kt_" and the stem in lower case, letters, digits and "_" only, short enough that the process id
// and the counter still fit the server's 64 characters.
std::string UniqueName(std::string stem) {
    if (stem.empty()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        stem = test ? test->test_suite_name() : "scratch";
    }
    std::string name = "kt_";
    for (const char c : stem) {
        if (name.size() >= 40)
            break;
        const auto u = static_cast<unsigned char>(c);
        name += std::isalnum(u) ? static_cast<char>(std::tolower(u)) : '_';
    }
    static std::atomic<unsigned> counter{0};
    return name + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

} // namespace

ScratchDatabase::ScratchDatabase(const std::string& stem, const std::string& host,
                                 const std::string& options)
    : host_(host), name_(UniqueName(stem)), root_(std::make_unique<RootConnection>(host)) {
    Create(options);
}

ScratchDatabase::ScratchDatabase(Exactly exact, const std::string& host, const std::string& options)
    : host_(host), name_(std::move(exact.name)), root_(std::make_unique<RootConnection>(host)) {
    root_->Exec("DROP DATABASE IF EXISTS " + quoted());
    Create(options);
}

void ScratchDatabase::Create(const std::string& options) {
    if (!root_->Exec("CREATE DATABASE " + quoted() + (options.empty() ? "" : " " + options)) ||
        !root_->Exec("USE " + quoted()))
        throw std::runtime_error("the scratch database " + name_ + " could not be made on " +
                                 host_);
}

ScratchDatabase::~ScratchDatabase() {
    // A fresh connection: the test may have killed this one, and a transaction it left open
    // there would hold the drop back; it ends with the connection.
    root_.reset();
    RootConnection(host_).Exec("DROP DATABASE IF EXISTS " + quoted());
}

std::string ScratchDatabase::quoted() const {
    return QuoteName(name_);
}

std::string ScratchDatabase::Table(const std::string& table) const {
    return quoted() + "." + QuoteName(table);
}

} // namespace testserver
