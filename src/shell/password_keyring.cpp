#include "shell/password_keyring.h"

#include "commands/server_entry.h"

#include <qt6keychain/keychain.h>

#ifdef KESTREL_KEYRING_ON_SESSION_BUS
#include <QDBusConnection>
#endif
#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace keyring {

namespace {

const QString kService = QStringLiteral("Kestrel");

struct Answer {
    bool finished = false;
    QKeychain::Error error = QKeychain::NoError;
    QString text;      // the password read
    QString errorText; // the keyring's text of a failure
};

// A write the caller stopped waiting for may still be done by the keyring later; the password is
// then taken out again, so the keyring holds nothing the settings do not know of.
void ForgetLateWrite(QKeychain::Job* job) {
    auto* write = qobject_cast<QKeychain::WritePasswordJob*>(job);
    if (!write)
        return;
    QObject::connect(write, &QKeychain::Job::finished, [](QKeychain::Job* done) {
        if (done->error() != QKeychain::NoError)
            return;
        auto* remove = new QKeychain::DeletePasswordJob(done->service());
        remove->setInsecureFallback(false);
        remove->setKey(done->key());
        remove->setAutoDelete(true);
        remove->start();
    });
}

// Starts the job and waits for its answer, kAnswerWaitMs at a time for as long as keepWaiting
// says so. The job deletes itself once it finished, also when it finishes after the wait gave up.
template <typename Job> Answer Run(Job* job, const KeepWaiting& keepWaiting) {
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [answer, &loop](QKeychain::Job* j) {
        answer->finished = true;
        answer->error = j->error();
        answer->errorText = j->errorString();
        if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(j))
            answer->text = read->textData();
        loop.quit();
    });
    job->setAutoDelete(true);
    QTimer timer;
    timer.setInterval(kAnswerWaitMs);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    job->start();
    while (!answer->finished) {
        timer.start();
        loop.exec();
        timer.stop();
        // The question is asked only while there is still no answer; one that came while it
        // was asked is taken.
        if (!answer->finished && (!keepWaiting || !keepWaiting()) && !answer->finished) {
            ForgetLateWrite(job);
            return Answer{false, QKeychain::OtherError, {}, {}};
        }
    }
    return *answer;
}

// Where keyrings are reached over the session bus, without one there is no keyring at all.
bool NoSessionBus() {
#ifdef KESTREL_KEYRING_ON_SESSION_BUS
    return !QDBusConnection::sessionBus().isConnected();
#else
    return false;
#endif
}

// A keyring that is not there at all is told apart from one that answered with a refusal or
// another failure.
bool NoKeyring(QKeychain::Error error) {
    return error == QKeychain::NoBackendAvailable || error == QKeychain::NotImplemented;
}

} // namespace

QString EntryKey(const QString& user, const QString& host) {
    return ServerEntry(user, host);
}

Outcome Write(const QString& user, const QString& host, const QString& password,
              const KeepWaiting& keepWaiting, QString* why) {
    if (NoSessionBus())
        return Outcome::NoKeyring;
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    job->setTextData(password);
    const Answer answer = Run(job, keepWaiting);
    if (!answer.finished)
        return Outcome::NoAnswer;
    if (answer.error == QKeychain::NoError)
        return Outcome::Done;
    if (why)
        *why = answer.errorText;
    return NoKeyring(answer.error) ? Outcome::NoKeyring : Outcome::Failed;
}

std::optional<QString> Read(const QString& user, const QString& host,
                            const KeepWaiting& keepWaiting) {
    if (NoSessionBus())
        return std::nullopt;
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    const Answer answer = Run(job, keepWaiting);
    if (!answer.finished || answer.error != QKeychain::NoError)
        return std::nullopt;
    return answer.text;
}

void Remove(const QString& user, const QString& host) {
    if (NoSessionBus())
        return;
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(EntryKey(user, host));
    Run(job, {});
}

} // namespace keyring
