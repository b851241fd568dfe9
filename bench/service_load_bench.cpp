// Load on a running reference service: N clients on kept-alive connections, each looping a mix
// of list reads with one write in ten, optionally beside clients that loop wrong passwords. Prints
// requests/s, p50/p99 latency and errors of the readers (and the guessers' own rate).
//     service_load_bench --port 8765 --clients 10 --seconds 10 --guessers 2 [--spread]
// Several instances sharing one database (--port A --port B, or --ports A,B) get the readers and
// the guessers in turn; afterwards each reader's last write is looked for through another
// instance than the one that took it.
//     service_load_bench --port 8765 --idle 1000 --get PATH
// opens 1000 kept-alive connections, leaves them idle and times newcomers calling GET PATH on a
// new connection each. --session prints a login's "sessionid token"; --get PATH alone prints
// the reply's body.

#include "BenchClient.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <boost/asio/io_context.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Tally
{
    std::vector<double> latenciesMs;
    long errors = 0;
    qint64 lastWriteId = 0; // the customer the client added last, 0 if none
    std::string lastWritePhone;
};

using Result = std::optional<BenchClient::Reply>;

QJsonObject envelopeData(const Result& result)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(result->body))
        .object()
        .value(QStringLiteral("data"))
        .toObject();
}

int envelopeCode(const Result& result)
{
    if (!result || result->status != 200)
        return -1;
    const QJsonObject envelope =
        QJsonDocument::fromJson(QByteArray(result->body.data(), static_cast<int>(result->body.size()))).object();
    return envelope.value(QStringLiteral("code")).toInt(-1);
}

bool login(BenchClient& client, BenchClient::Headers* session)
{
    const Result result = client.post("/api/account/initialize", {}, "phone=13800000000&password=demo123");
    if (envelopeCode(result) != 200) {
        std::fprintf(stderr, "login failed: %s\n", result ? result->body.substr(0, 200).c_str() : "no reply");
        return false;
    }
    const QJsonObject data = envelopeData(result).value(QStringLiteral("session")).toObject();
    *session = {{"sessionid", data.value(QStringLiteral("sessionid")).toString().toStdString()},
                {"token", data.value(QStringLiteral("token")).toString().toStdString()}};
    return true;
}

void reader(int port, int index, long runId, Clock::time_point end, Tally* tally)
{
    BenchClient client(port);
    BenchClient::Headers session;
    if (!login(client, &session)) {
        ++tally->errors;
        return;
    }
    const char* reads[][2] = {
        {"/api/mtore/appposts", ""},
        {"/api/mtore/mzposts", "type=0&pagesize=20&pageindex=1"},
        {"/api/mtore/gzposts", "type=1&pagesize=20&pageindex=1"},
        {"/api/cbook/posts", "kind=1&pagesize=20&pageindex=1"},
    };
    for (long i = 0; Clock::now() < end; ++i) {
        std::string path;
        std::string body;
        if (i % 10 == 9) {
            path = "/api/cbook/add";
            // Unique across clients and runs: the customer book refuses a phone it already has.
            body = "kind=1&name=bench&phone=1" + std::to_string(runId) + '-' + std::to_string(index) + '-'
                   + std::to_string(i);
        } else {
            path = reads[i % 4][0];
            body = reads[i % 4][1];
        }
        const Clock::time_point start = Clock::now();
        const Result result = client.post(path, session, body);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (envelopeCode(result) != 200) {
            // The first few are shown, so an error can be told from another.
            if (tally->errors++ < 2)
                std::fprintf(stderr, "error on %s: %s\n", path.c_str(),
                             result ? result->body.substr(0, 200).c_str() : "no reply");
            continue;
        }
        tally->latenciesMs.push_back(ms);
        if (i % 10 == 9) {
            tally->lastWriteId = envelopeData(result).value(QStringLiteral("id")).toVariant().toLongLong();
            tally->lastWritePhone = body.substr(body.find("phone=") + 6);
        }
    }
}

// Whether the customer `id` with `phone` is in the book as read through `client`: pages newest
// first until the ids fall below it.
bool bookHas(BenchClient& client, const BenchClient::Headers& session, qint64 id, const std::string& phone)
{
    for (int page = 1; page <= 1000; ++page) {
        const Result result =
            client.post("/api/cbook/posts", session, "kind=1&pagesize=100&pageindex=" + std::to_string(page));
        if (envelopeCode(result) != 200)
            return false;
        const QJsonArray entries = envelopeData(result).value(QStringLiteral("data")).toArray();
        if (entries.isEmpty())
            return false;
        for (const QJsonValue& value : entries) {
            const QJsonObject entry = value.toObject();
            const qint64 entryId = entry.value(QStringLiteral("id")).toVariant().toLongLong();
            if (entryId == id)
                return entry.value(QStringLiteral("phone")).toString().toStdString() == phone;
            if (entryId < id)
                return false;
        }
    }
    return false;
}

void guesser(int port, int index, bool samePhone, Clock::time_point end, long* attempts)
{
    BenchClient client(port);
    // One account's password guessed, or a new number each time, so that every attempt costs
    // the service a password check.
    for (long i = 0; Clock::now() < end; ++i) {
        const std::string phone = samePhone ? std::string("13800000001") : "186" + std::to_string(index * 10000000L + i);
        const std::string body = "phone=" + phone + "&password=wrong";
        client.post("/api/account/initialize", {}, body);
        ++*attempts;
    }
}

BenchClient::Headers sessionOf(int port)
{
    BenchClient client(port);
    BenchClient::Headers session;
    login(client, &session);
    return session;
}

// Newcomers beside `count` idle kept-alive connections; the exit code.
int newcomers(int port, int count, const std::string& path)
{
    const BenchClient::Headers session = sessionOf(port);
    if (session.empty()) {
        std::fprintf(stderr, "cannot log in\n");
        return 1;
    }
    boost::asio::io_context io;
    std::vector<std::unique_ptr<BenchClient>> idle;
    for (int i = 0; i < count; ++i) {
        // Each makes a call first, as a desktop's connection would, then stays open doing nothing.
        idle.push_back(std::make_unique<BenchClient>(port, io));
        if (!idle.back()->get("/api/diagnostics/echo", {})) {
            std::fprintf(stderr, "idle connection %d failed\n", i);
            return 1;
        }
    }
    std::vector<double> latencies;
    long errors = 0;
    for (int i = 0; i < 50; ++i) {
        const Clock::time_point start = Clock::now();
        BenchClient newcomer(port);
        const Result result = newcomer.get(path, session);
        latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (envelopeCode(result) != 200)
            ++errors;
    }
    int open = 0;
    for (const auto& client : idle)
        open += client->isOpen() ? 1 : 0;
    std::sort(latencies.begin(), latencies.end());
    std::printf("newcomer beside %d idle kept-alive connections: p50=%.2f ms  max=%.2f ms  (50 newcomers, errors=%ld,"
                " idle connections still open %d)\n",
                count, latencies[latencies.size() / 2], latencies.back(), errors, open);
    return errors == 0 ? 0 : 1;
}

double percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty())
        return 0;
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(p * static_cast<double>(sorted.size())))];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Service port; give it again for each further instance. Default 8765."),
                                        QStringLiteral("N"));
    const QCommandLineOption portsOption(QStringLiteral("ports"),
                                         QStringLiteral("Ports of instances sharing one database, comma-separated."),
                                         QStringLiteral("N,M"));
    const QCommandLineOption clientsOption(QStringLiteral("clients"), QStringLiteral("Reading clients."),
                                           QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Duration."), QStringLiteral("N"),
                                           QStringLiteral("10"));
    const QCommandLineOption guessersOption(QStringLiteral("guessers"), QStringLiteral("Wrong-password clients."),
                                            QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption spreadOption(QStringLiteral("spread"),
                                          QStringLiteral("Guessers try a new phone number each time instead of one account."));
    const QCommandLineOption idleOption(QStringLiteral("idle"), QStringLiteral("Idle connections beside newcomers."),
                                        QStringLiteral("N"));
    const QCommandLineOption getOption(QStringLiteral("get"), QStringLiteral("Path the newcomers call, or to print."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption sessionOption(QStringLiteral("session"), QStringLiteral("Print a login's session."));
    parser.addOptions({portOption, portsOption, clientsOption, secondsOption, guessersOption, spreadOption, idleOption,
                       getOption, sessionOption});
    parser.process(app);
    QStringList portTexts = parser.values(portOption);
    for (const QString& list : parser.values(portsOption))
        portTexts += list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (portTexts.isEmpty())
        portTexts.append(QStringLiteral("8765"));
    std::vector<int> ports;
    for (const QString& text : portTexts) {
        bool ok = false;
        const int port = text.trimmed().toInt(&ok);
        if (!ok || port <= 0 || port > 65535) {
            std::fprintf(stderr, "not a port: %s\n", qPrintable(text));
            return 2;
        }
        ports.push_back(port);
    }
    if (parser.isSet(sessionOption)) {
        const BenchClient::Headers session = sessionOf(ports.front());
        if (session.empty())
            return 1;
        std::printf("%s %s\n", session.at("sessionid").c_str(), session.at("token").c_str());
        return 0;
    }
    const std::string path = parser.value(getOption).toStdString();
    if (parser.isSet(idleOption))
        return newcomers(ports.front(), parser.value(idleOption).toInt(), path);
    if (!path.empty()) {
        BenchClient client(ports.front());
        const Result result = client.get(path, sessionOf(ports.front()));
        if (!result)
            return 1;
        std::fwrite(result->body.data(), 1, result->body.size(), stdout);
        return 0;
    }
    const size_t instances = ports.size();
    const int clients = parser.value(clientsOption).toInt();
    const int seconds = parser.value(secondsOption).toInt();
    const int guessers = parser.value(guessersOption).toInt();
    const bool spread = parser.isSet(spreadOption);
    const long runId = static_cast<long>(std::chrono::system_clock::now().time_since_epoch() / std::chrono::seconds(1));

    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    std::vector<Tally> tallies(static_cast<size_t>(clients));
    std::vector<long> attempts(static_cast<size_t>(guessers), 0);
    std::vector<std::thread> threads;
    std::vector<int> readersOn(instances, 0);
    std::vector<int> guessersOn(instances, 0);
    for (int i = 0; i < clients; ++i) {
        const size_t instance = static_cast<size_t>(i) % instances;
        ++readersOn[instance];
        threads.emplace_back(reader, ports[instance], i, runId, end, &tallies[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < guessers; ++i) {
        const size_t instance = static_cast<size_t>(i) % instances;
        ++guessersOn[instance];
        threads.emplace_back(guesser, ports[instance], i, !spread, end, &attempts[static_cast<size_t>(i)]);
    }
    for (std::thread& thread : threads)
        thread.join();

    std::string used;
    for (size_t i = 0; i < instances; ++i)
        used += (i ? ", 127.0.0.1:" : "127.0.0.1:") + std::to_string(ports[i]) + " (readers="
                + std::to_string(readersOn[i]) + " guessers=" + std::to_string(guessersOn[i]) + ")";
    std::printf("instances: %s\n", used.c_str());

    // Outside the measured time: a write must be visible through the other instances at once.
    int written = 0;
    int seen = 0;
    if (instances > 1) {
        std::map<size_t, std::pair<std::unique_ptr<BenchClient>, BenchClient::Headers>> checkers;
        for (int i = 0; i < clients; ++i) {
            const Tally& tally = tallies[static_cast<size_t>(i)];
            if (tally.lastWriteId == 0)
                continue;
            ++written;
            const size_t other = (static_cast<size_t>(i) + 1) % instances;
            auto& checker = checkers[other];
            if (!checker.first) {
                checker.first = std::make_unique<BenchClient>(ports[other]);
                if (!login(*checker.first, &checker.second))
                    continue;
            }
            if (bookHas(*checker.first, checker.second, tally.lastWriteId, tally.lastWritePhone))
                ++seen;
        }
    }

    std::vector<double> all;
    long errors = 0;
    for (const Tally& tally : tallies) {
        all.insert(all.end(), tally.latenciesMs.begin(), tally.latenciesMs.end());
        errors += tally.errors;
    }
    std::sort(all.begin(), all.end());
    long guesses = 0;
    for (long count : attempts)
        guesses += count;
    std::printf("clients=%d guessers=%d%s seconds=%d  requests/s=%.0f  p50=%.2f ms  p99=%.2f ms  errors=%ld"
                "  wrong-passwords/s=%.0f\n",
                clients, guessers, spread ? " (spread)" : "", seconds, static_cast<double>(all.size()) / seconds, percentile(all, 0.50),
                percentile(all, 0.99), errors, static_cast<double>(guesses) / seconds);
    if (instances > 1)
        std::printf("last writes of the readers seen through another instance: %d of %d%s\n", seen, written,
                    seen == written ? "" : "  MISSING");
    return seen == written ? 0 : 1;
}
