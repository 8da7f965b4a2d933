// The company tool's command line: reading the arguments and running create,
// import or browse through the public backend functions.
#include "accpac/tools/CompanyTool.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QHash>
#include <algorithm>
#include <optional>
#include <thread>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace accpac {

namespace {

const char* const Usage =
    "usage: trovex-company create PATH [--name TEXT] [--scale N]\n"
    "       trovex-company import PATH VIEWID FILE.csv\n"
    "       trovex-company reindex PATH\n"
    "       trovex-company browse PATH VIEWID [--order N] [--filter TEXT] [--desc] [--put FIELD=VALUE]... "
    "[--limit N]\n"
    "PATH is a company file or the postgresql:// URI of a company database.\n";

// A command-line mistake: reported with the usage.
struct UsageError {
    QString message;
};

// Reads the arguments after the command: the positional ones and the
// options, each option given with whether it takes a value.
class Arguments {
public:
    Arguments(const QStringList& args, const QStringList& withValue, const QStringList& flags) {
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString& a = args[i];
            if (withValue.contains(a)) {
                if (i + 1 >= args.size()) throw UsageError{QStringLiteral("%1 needs a value").arg(a)};
                options_.append({a, args[++i]});
            } else if (flags.contains(a)) {
                options_.append({a, QString()});
            } else if (a.startsWith(QLatin1String("--"))) {
                throw UsageError{QStringLiteral("unknown option %1").arg(a)};
            } else {
                positional_ << a;
            }
        }
    }
    const QStringList& positional() const { return positional_; }
    bool has(const QString& option) const { return !all(option).isEmpty(); }
    std::optional<QString> last(const QString& option) const {
        const QStringList values = all(option);
        return values.isEmpty() ? std::nullopt : std::optional<QString>(values.back());
    }
    QStringList all(const QString& option) const {
        QStringList values;
        for (const auto& [name, value] : options_)
            if (name == option) values << value;
        return values;
    }

private:
    QStringList positional_;
    QList<std::pair<QString, QString>> options_;
};

// Shows a long job's progress on standard error: on a terminal one line
// redrawn in place (stage, bar, records done, rate, time left), elsewhere
// one line per stage. A job may run stages on two threads at once (each
// report comes whole, one at a time); a stage ends when its records are
// all done or when the thread that reported it starts another.
class ProgressLine {
public:
    explicit ProgressLine(QTextStream& err) : err_(err), terminal_(isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() {
        for (auto it = running_.begin(); it != running_.end(); ++it) finish(it.value());
    }

    void operator()(const Progress& p) {
        QString& current = running_[std::this_thread::get_id()];
        if (p.stage != current) {
            finish(current);
            current = p.stage;
            clocks_[p.stage].start();
            if (!terminal_) err_ << "writing " << p.stage << "...\n";
            err_.flush();
        }
        if (p.total > 0 && terminal_) draw(p);
        if (p.total > 0 && p.done >= p.total) finish(current);
    }

private:
    static constexpr int BarWidth = 30;
    static constexpr double MinRateSeconds = 0.5;
    double seconds(const QString& stage) const { return double(clocks_[stage].elapsed()) / 1000.0; }
    void draw(const Progress& p) {
        const double fraction = std::min(1.0, double(p.done) / double(p.total));
        const int filled = int(fraction * BarWidth);
        err_ << '\r' << p.stage << " [" << QString(filled, u'#') << QString(BarWidth - filled, u'.') << "] " << p.done
             << "/" << p.total;
        // A rate measured over a few milliseconds says nothing.
        if (const double elapsed = seconds(p.stage); elapsed >= MinRateSeconds) {
            const double rate = double(p.done) / elapsed;
            const auto left = std::int64_t(rate > 0 ? double(p.total - p.done) / rate : 0);
            err_ << "  " << std::int64_t(rate) << "/s  "
                 << QStringLiteral("%1:%2 left").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'));
        }
        err_ << EraseRest;
        err_.flush();
        drawn_ = true;
    }
    // Ends a stage: on a terminal, its line with the time it took.
    void finish(QString& stage) {
        if (stage.isEmpty()) return;
        if (terminal_)
            err_ << (drawn_ ? "\r" : "") << stage << QStringLiteral(" (%1 s)").arg(seconds(stage), 0, 'f', 1)
                 << EraseRest << "\n";
        err_.flush();
        drawn_ = false;
        stage.clear();
    }
    static constexpr const char* EraseRest = "\033[K";  // clears what a longer line left on the terminal
    QTextStream& err_;
    bool terminal_;
    bool drawn_ = false;
    QHash<std::thread::id, QString> running_;  // each thread's stage
    QHash<QString, QElapsedTimer> clocks_;
};

std::int64_t wholeNumber(const QString& text, const QString& option, std::int64_t lo, std::int64_t hi) {
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < lo || n > hi)
        throw UsageError{QStringLiteral("%1 takes a whole number from %2 to %3").arg(option).arg(lo).arg(hi)};
    return n;
}

void expectPositional(const Arguments& a, qsizetype count, const char* command) {
    if (a.positional().size() != count)
        throw UsageError{QStringLiteral("%1 takes %2 arguments").arg(QLatin1String(command)).arg(count)};
}

int create(const QStringList& args, QTextStream& out, QTextStream& err, const CompanyStores& stores) {
    const Arguments a(args, {QStringLiteral("--name"), QStringLiteral("--scale")}, {});
    expectPositional(a, 1, "create");
    CreateOptions options;
    if (auto name = a.last(QStringLiteral("--name"))) options.name = *name;
    if (auto scale = a.last(QStringLiteral("--scale")))
        options.scale = wholeNumber(*scale, QStringLiteral("--scale"), 1, 90'000'000);
    ProgressLine line(err);
    options.progress = [&line](const Progress& p) { line(p); };
    stores(a.positional()[0]).create(a.positional()[0], options);
    out << "created " << a.positional()[0] << "\n";
    return 0;
}

int import(const QStringList& args, QTextStream& out, QTextStream& err, const CompanyStores& stores) {
    const Arguments a(args, {}, {});
    expectPositional(a, 3, "import");
    ImportResult result;
    {
        ProgressLine line(err);
        result = stores(a.positional()[0])
                     .import(a.positional()[0], a.positional()[1], a.positional()[2],
                             [&line](const Progress& p) { line(p); });
    }
    if (!result.problems.isEmpty()) {
        for (const QString& p : result.problems) err << p << "\n";
        err << "nothing was imported\n";
        return 1;
    }
    out << "imported " << result.rows << " records into " << a.positional()[1] << "\n";
    return 0;
}

int reindex(const QStringList& args, QTextStream& out, QTextStream& err, const CompanyStores& stores) {
    const Arguments a(args, {}, {});
    expectPositional(a, 1, "reindex");
    const QString& path = a.positional()[0];
    const CompanyStore store = stores(path);
    if (!store.reindex) {
        out << path << " keeps its search indexes current itself: nothing to do\n";
        return 0;
    }
    {
        ProgressLine line(err);
        store.reindex(path, [&line](const Progress& p) { line(p); });
    }
    out << "reindexed " << path << "\n";
    return 0;
}

int browse(const QStringList& args, QTextStream& out, const CompanyStores& stores) {
    const Arguments a(
        args,
        {QStringLiteral("--order"), QStringLiteral("--filter"), QStringLiteral("--put"), QStringLiteral("--limit")},
        {QStringLiteral("--desc")});
    expectPositional(a, 2, "browse");
    const QString viewId = a.positional()[1];
    const std::int64_t limit = a.has(QStringLiteral("--limit")) ? wholeNumber(*a.last(QStringLiteral("--limit")),
                                                                              QStringLiteral("--limit"), 0, INT64_MAX)
                                                                : INT64_MAX;

    auto session = stores(a.positional()[0]).open(a.positional()[0]);
    auto view = session->OpenView(viewId, viewId.left(2));
    view->setOrder(std::int16_t(wholeNumber(a.last(QStringLiteral("--order")).value_or(QStringLiteral("0")),
                                            QStringLiteral("--order"), 0, 32767)));
    view->ClearRecord();
    view->ResetBrowse(false);
    for (const QString& put : a.all(QStringLiteral("--put"))) {
        const qsizetype eq = put.indexOf(u'=');
        if (eq <= 0) throw UsageError{QStringLiteral("--put takes FIELD=VALUE, not \"%1\"").arg(put)};
        view->Fields().Item(put.left(eq)).setValue(Variant::string(put.mid(eq + 1)));
    }
    view->Browse(a.last(QStringLiteral("--filter")).value_or(QString()), !a.has(QStringLiteral("--desc")));

    AccpacFields& fields = view->Fields();
    QStringList line;
    for (int i = 0; i < fields.Count(); ++i) line << fields.Item(i).Name();
    out << line.join(u'\t') << "\n";
    for (std::int64_t n = 0; n < limit && view->Fetch(); ++n) {
        line.clear();
        for (int i = 0; i < fields.Count(); ++i) line << fields.Item(i).Value().toText();
        out << line.join(u'\t') << "\n";
    }
    return 0;
}

}  // namespace

CompanyStore companyFiles() { return {openCompany, createCompany, importCsv, reindexCompany}; }

int runCompanyTool(const QStringList& args, QTextStream& out, QTextStream& err, const CompanyStores& stores) {
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    const CompanyStores storeFor = stores ? stores : [](const QString&) { return companyFiles(); };
    try {
        if (command == QLatin1String("create")) return create(rest, out, err, storeFor);
        if (command == QLatin1String("import")) return import(rest, out, err, storeFor);
        if (command == QLatin1String("reindex")) return reindex(rest, out, err, storeFor);
        if (command == QLatin1String("browse")) return browse(rest, out, storeFor);
        if (command == QLatin1String("--help") || command == QLatin1String("help")) {
            out << Usage;
            return 0;
        }
        throw UsageError{command.isEmpty() ? QStringLiteral("no command")
                                           : QStringLiteral("unknown command %1").arg(command)};
    } catch (const UsageError& e) {
        err << "trovex-company: " << e.message << "\n" << Usage;
    } catch (const AccpacError& e) {
        err << "trovex-company: " << e.description() << "\n";
    }
    return 1;
}

}  // namespace accpac
