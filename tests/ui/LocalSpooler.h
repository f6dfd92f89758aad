#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <unistd.h>

// A print spooler of the test's own: a CUPS scheduler started by the test on a private socket,
// with a cups-pdf queue as its default printer that turns every job into a PDF file in a private
// folder. Everything the spooler leaves (its folders, the queue's file in /etc/cups, the process)
// is removed again by Stop() or the destructor.
//
// Print clients of this process reach only this spooler: UseOwnServer() points them at its socket
// (before the first print call; the print library keeps the first server it is given), so a
// test never prints on a printer of the machine, and without a started spooler there is no
// default printer at all.
class LocalSpooler {
public:
    // The socket of this process's spooler, whether it runs or not.
    static QString Socket() { return Root() + QStringLiteral("/cups.sock"); }

    static void UseOwnServer()
    {
        qputenv("CUPS_SERVER", Socket().toLocal8Bit());
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }

    // What is missing for a spooler here (empty when it can run): the scheduler, the PDF queue's
    // driver, the PDF tools, or the administrator's rights the scheduler needs.
    static QString Missing()
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd"))) return QStringLiteral("cupsd is not installed");
        if (!QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")) || !QFileInfo::exists(Ppd()))
            return QStringLiteral("cups-pdf is not installed");
        for (const char* tool : { "lpadmin", "lpstat", "pdfinfo", "pdftoppm" })
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
        if (::geteuid() != 0) return QStringLiteral("the scheduler needs root");
        return {};
    }

    LocalSpooler() = default;
    LocalSpooler(const LocalSpooler&) = delete;
    LocalSpooler& operator=(const LocalSpooler&) = delete;
    ~LocalSpooler() { Stop(); }

    // Starts the scheduler and makes the PDF queue the default printer; false with a reason.
    bool Start(QString& error)
    {
        UseOwnServer();
        QDir(Root()).removeRecursively();
        for (const char* sub : { "conf", "spool/tmp", "cache", "state", "log", "out" })
            QDir().mkpath(Root() + QLatin1Char('/') + QLatin1String(sub));
        Write(Root() + QStringLiteral("/conf/cups-files.conf"),
            QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                           "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\nSystemGroup root\n")
                .arg(Root()));
        Write(Root() + QStringLiteral("/conf/cupsd.conf"),
            QStringLiteral("LogLevel info\nListen %1\nBrowsing No\nWebInterface No\n"
                           "PageLogFormat %j %{job-name} copies=%C quality=%{print-quality}\n"
                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                           "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                .arg(Socket()));
        // cups-pdf reads the settings of a queue only from /etc/cups.
        m_queueConf = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(Queue());
        Write(m_queueConf, QStringLiteral("Out %1\nAnonDirName %1\nGrp root\n").arg(OutputFolder()));

        m_scheduler.setProcessChannelMode(QProcess::MergedChannels);
        m_scheduler.setStandardOutputFile(Root() + QStringLiteral("/log/scheduler"));
        m_scheduler.start(QStringLiteral("/usr/sbin/cupsd"),
            { QStringLiteral("-f"), QStringLiteral("-c"), Root() + QStringLiteral("/conf/cupsd.conf"),
                QStringLiteral("-s"), Root() + QStringLiteral("/conf/cups-files.conf") });
        if (!m_scheduler.waitForStarted(5000)) {
            error = QStringLiteral("cupsd did not start");
            return false;
        }
        const QDeadlineTimer deadline(10000);
        while (
            !Run(QStringLiteral("lpstat"), { QStringLiteral("-r") }).contains(QStringLiteral("scheduler is running"))) {
            if (deadline.hasExpired() || m_scheduler.state() != QProcess::Running) {
                error = QStringLiteral("the scheduler is not running: ") + Log(QStringLiteral("error_log"));
                return false;
            }
            QThread::msleep(50);
        }
        Run(QStringLiteral("lpadmin"),
            { QStringLiteral("-p"), Queue(), QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("cups-pdf:/") + Queue(), QStringLiteral("-P"), Ppd() });
        Run(QStringLiteral("lpadmin"), { QStringLiteral("-d"), Queue() });
        if (!Run(QStringLiteral("lpstat"), { QStringLiteral("-d") }).contains(Queue())) {
            error = QStringLiteral("the PDF queue is not the default printer: ") + Log(QStringLiteral("error_log"));
            return false;
        }
        return true;
    }

    // Removes the queue and its file, stops the scheduler and removes its folders.
    void Stop()
    {
        if (m_scheduler.state() != QProcess::NotRunning) {
            Run(QStringLiteral("lpadmin"), { QStringLiteral("-x"), Queue() });
            m_scheduler.terminate();
            if (!m_scheduler.waitForFinished(5000)) {
                m_scheduler.kill();
                m_scheduler.waitForFinished(2000);
            }
        }
        if (!m_queueConf.isEmpty()) QFile::remove(m_queueConf);
        m_queueConf.clear();
        QDir(Root()).removeRecursively();
    }

    // Waits until no job is pending (at most timeoutMs); true when the queue is empty.
    bool WaitUntilIdle(int timeoutMs = 30000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!Run(QStringLiteral("lpstat"), { QStringLiteral("-o") }).trimmed().isEmpty()) {
            if (deadline.hasExpired()) return false;
            QThread::msleep(50);
        }
        return true;
    }

    // The PDF files the queue made, in the order of their jobs.
    QStringList Pdfs() const
    {
        QStringList files = QDir(OutputFolder()).entryList({ QStringLiteral("*.pdf") }, QDir::Files);
        auto job = [](const QString& name) {
            const auto match = QRegularExpression(QStringLiteral("job_(\\d+)")).match(name);
            return match.hasMatch() ? match.captured(1).toInt() : 0;
        };
        std::sort(files.begin(), files.end(), [&](const QString& a, const QString& b) { return job(a) < job(b); });
        for (QString& file : files)
            file = OutputFolder() + QLatin1Char('/') + file;
        return files;
    }

    // The PDF files of count jobs, once each is complete (it ends with its "%%EOF" trailer): the
    // queue may already be idle while the PDF printer still writes the last file. Waits at most
    // timeoutMs and then gives what is there.
    QStringList WaitForPdfs(int count, int timeoutMs = 30000) const
    {
        const QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            const QStringList files = Pdfs();
            const bool complete
                = files.size() >= count && std::all_of(files.begin(), files.end(), [](const QString& name) {
                      QFile file(name);
                      if (!file.open(QIODevice::ReadOnly) || file.size() < 8) return false;
                      file.seek(std::max<qint64>(0, file.size() - 1024));
                      return file.readAll().contains("%%EOF");
                  });
            if (complete || deadline.hasExpired()) return files;
            QThread::msleep(50);
        }
    }

    // One line per finished job: "<job> <title> copies=<n> quality=<IPP print-quality or ->".
    QStringList JobLog() const
    {
        QStringList lines = Log(QStringLiteral("page_log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = line.trimmed();
        lines.removeDuplicates();
        return lines;
    }

    QString Queue() const { return QStringLiteral("QuirelPdf%1").arg(::getpid()); }
    QString OutputFolder() const { return Root() + QStringLiteral("/out"); }

    // Runs a command (the print tools reach this spooler) and gives its output.
    static QString Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        process.waitForFinished(10000);
        return QString::fromLocal8Bit(process.readAll());
    }

private:
    static QString Root() { return QStringLiteral("/tmp/quirel-spooler-%1").arg(::getpid()); }
    static QString Ppd() { return QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"); }

    static void Write(const QString& path, const QString& text)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text.toUtf8());
    }

    QString Log(const QString& name) const
    {
        QFile file(Root() + QStringLiteral("/log/") + name);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    QProcess m_scheduler;
    QString m_queueConf;
};
