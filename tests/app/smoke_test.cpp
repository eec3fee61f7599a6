#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The real executable, copied alone into an empty folder, starts offscreen,
// stays up, and ends when it is told to.
TEST(Smoke, ExecutableRunsFromAFolderOfItsOwn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString exe = dir.filePath(QStringLiteral("pexor"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PEXOR_BINARY_DIR "/pexor"), exe));

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath());
    process.start(exe, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    EXPECT_FALSE(process.waitForFinished(1500)) << "ended early: "
                                                << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.terminate();
    EXPECT_TRUE(process.waitForFinished(10000));
}

}  // namespace
