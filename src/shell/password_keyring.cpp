#include "shell/password_keyring.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace keyring {

namespace {

const QString kService = QStringLiteral("Kestrel");
constexpr int kAnswerWaitMs = 5000;

struct Answer {
    bool finished = false;
    QKeychain::Error error = QKeychain::NoError;
    QString text;
};

// Starts the job and waits for its answer. The job deletes itself once it finished, also when it
// finishes after the wait gave up.
template <typename Job> Answer Run(Job* job) {
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [answer, &loop](QKeychain::Job* j) {
        answer->finished = true;
        answer->error = j->error();
        if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(j))
            answer->text = read->textData();
        loop.quit();
    });
    job->setAutoDelete(true);
    QTimer::singleShot(kAnswerWaitMs, &loop, &QEventLoop::quit);
    job->start();
    if (!answer->finished)
        loop.exec();
    if (!answer->finished)
        answer->error = QKeychain::NoBackendAvailable;
    return *answer;
}

// A keyring that refused is told apart from one that is not there at all (no backend, no session
// bus to reach it, no answer in time).
bool NoKeyringAnswers(QKeychain::Error error) {
    return error != QKeychain::AccessDenied && error != QKeychain::AccessDeniedByUser;
}

} // namespace

QString EntryKey(const QString& user, const QString& host) {
    return user + QLatin1Char('>') + host;
}

Outcome Write(const QString& user, const QString& host, const QString& password) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    job->setTextData(password);
    const Answer answer = Run(job);
    if (answer.error == QKeychain::NoError)
        return Outcome::Done;
    return NoKeyringAnswers(answer.error) ? Outcome::NoKeyring : Outcome::Failed;
}

std::optional<QString> Read(const QString& user, const QString& host) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    const Answer answer = Run(job);
    if (answer.error != QKeychain::NoError)
        return std::nullopt;
    return answer.text;
}

void Remove(const QString& user, const QString& host) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    Run(job);
}

} // namespace keyring
