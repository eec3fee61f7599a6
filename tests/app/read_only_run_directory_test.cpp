// The real executable started from a run directory it may not write to. It
// writes the welcome page and the skin engine beside itself at start; when it
// can't, the page is skipped silently and the engine is loaded as it already
// is, or, when it was never installed there, the run time's fatal error names
// the missing engine and nothing else goes wrong first.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace {

// Makes a folder read-only for this process, and writable again when done.
// The permission bits stop everyone but root; for root the folder is also
// marked immutable, which stops root too on file systems that have the flag
// (ext4, xfs, btrfs) when the process may set it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : path_(path.toStdString()) {
        ::chmod(path_.c_str(), 0555);
        if (::geteuid() == 0) immutable_ = setImmutable(true);
    }
    ~ReadOnlyFolder() {
        if (immutable_) setImmutable(false);
        ::chmod(path_.c_str(), 0755);
    }
    // Whether a file can't be made in it.
    bool holds() const {
        const std::string probe = path_ + "/probe";
        const int fd = ::open(probe.c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) return true;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::string path_;
    bool immutable_ = false;
};

QProcessEnvironment offscreen() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// Starts the program in `folder` and stops it once `done` holds (given what
// it wrote to stderr so far) and it has then run 1.5 seconds more, or after
// 30 seconds. Says whether it was running to the end, and its stderr.
struct StartResult {
    bool stayedUp = false;
    QString errors;
};
StartResult startAndStop(const QString& folder, const std::function<bool(const QString&)>& done) {
    QProcess process;
    process.setProcessEnvironment(offscreen());
    process.setWorkingDirectory(QDir::tempPath());
    process.start(folder + QStringLiteral("/pexor"), {});
    StartResult run;
    if (!process.waitForStarted(10000)) return run;
    QElapsedTimer clock;
    clock.start();
    bool ended = false;
    while (!ended && clock.elapsed() < 30000) {
        ended = process.waitForFinished(100);
        run.errors += QString::fromUtf8(process.readAllStandardError());
        if (done(run.errors)) break;
    }
    if (!ended) ended = process.waitForFinished(1500);
    run.stayedUp = !ended;
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
    run.errors += QString::fromUtf8(process.readAllStandardError());
    return run;
}

const QString kMissingEngine =
    QStringLiteral("无法找到指定DLL库文件“pexor_skin.dll”中的输出命令“SkinH_AttachRes”");

TEST(ReadOnlyRunDirectory, StartsWithWhatAnEarlierStartLeftAndOtherwiseNamesTheMissingEngine) {
    const struct {
        const char* name;
        bool startedThereBefore;
    } cases[] = {
        // The usual case: installed and started once, then made read-only.
        // The engine is loaded as it is; the page can't be rewritten, so the
        // view shows the one left there, and nothing is reported.
        {"started there before", true},
        // Never started there: the engine can't be installed and the system's
        // library search has none, so the skin's fatal error ends the start.
        {"never started there", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(PEXOR_BINARY_DIR "/pexor"), dir.filePath("pexor")));
        if (c.startedThereBefore) {
            const auto installed = [&](const QString&) {
                return QFile::exists(dir.filePath("pexor_skin.dll")) &&
                       QFile::exists(dir.filePath("woxl.htm"));
            };
            ASSERT_TRUE(startAndStop(dir.path(), installed).stayedUp);
            ASSERT_TRUE(QFile::exists(dir.filePath("pexor_skin.dll")));
            ASSERT_TRUE(QFile::exists(dir.filePath("woxl.htm")));
        }
        QFile page(dir.filePath("woxl.htm"));
        const QByteArray pageBefore =
            page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
        page.close();

        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.holds()) GTEST_SKIP() << "this process can write to any folder";

        // The fatal error is on stderr at once; a start that goes well shows
        // nothing, so it is given three seconds to fail.
        QElapsedTimer sinceStart;
        sinceStart.start();
        const StartResult run = startAndStop(dir.path(), [&](const QString& errors) {
            return errors.contains(kMissingEngine) || sinceStart.elapsed() > 3000;
        });
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (c.startedThereBefore) {
            EXPECT_TRUE(run.stayedUp) << run.errors.toStdString();
            EXPECT_FALSE(run.errors.contains(QStringLiteral("运行时出错")))
                << run.errors.toStdString();
            ASSERT_TRUE(page.open(QIODevice::ReadOnly));
            EXPECT_EQ(page.readAll(), pageBefore);
        } else {
            // The fatal error box waits for its OK; its text is on stderr too.
            EXPECT_TRUE(run.errors.contains(kMissingEngine)) << run.errors.toStdString();
        }
    }
}

}  // namespace
