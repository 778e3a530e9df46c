#include "paramset/parameterfile.h"
#include "paramset/paramsetprocs.h"
#include "paramset/samplefile.h"
#include "support/filesizelimit.h"
#include "support/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ParamsetFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fx.start());
        ASSERT_TRUE(dir.isValid());
    }

    ParamsetProcs& procs() { return fx.program->paramset; }
    Session& s() { return fx.session(); }
    QString caption() { return fx.w().AnaForm->windowTitle(); }
    QString path(const QString& name) { return dir.filePath(name); }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // What a failed save or a refused open must leave as it was.
    struct Names {
        QString folder, name, path, caption;
        bool operator==(const Names&) const = default;
    };
    Names names() { return {s().AppFolder, s().ParamFileName, s().ParamFilePath, caption()}; }

    WindowFixture fx;
    QTemporaryDir dir;
};

TEST_F(ParamsetFileTest, SaveNamesTheFileOnceAndOverwritesItWhole) {
    const SampleFile sample = makeSampleFile();
    s().CurrentParameterSet = *decodeParameterSet(sample.bytes);

    // Untitled: Save asks for a name; a name without "." gets ".vlm".
    fx.dialogs.answerFile(path("set"));
    EXPECT_TRUE(procs().KayıtEt(3));
    EXPECT_EQ(contents(path("set.vlm")), sample.bytes);
    EXPECT_EQ(s().ParamFileName, QStringLiteral("set.vlm"));
    EXPECT_EQ(s().ParamFilePath, path("set.vlm"));
    EXPECT_EQ(s().AppFolder, dir.path() + u'/');
    EXPECT_TRUE(caption().endsWith(QStringLiteral(" [set.vlm]")));

    // Titled: Save writes without a dialog; a shorter record leaves no old bytes behind.
    fx.dialogs.clear();
    s().CurrentParameterSet = ParameterSetBlank;
    EXPECT_TRUE(procs().KayıtEt(3));
    EXPECT_TRUE(fx.dialogs.shown.isEmpty());
    EXPECT_EQ(contents(path("set.vlm")), QByteArray(kParameterFileBlankSize, '\0'));

    // Save As always asks; a name with a dot is taken as typed; a cancelled dialog changes nothing.
    fx.dialogs.answerFile(path("set.old"));
    EXPECT_TRUE(procs().KayıtEt(4));
    EXPECT_TRUE(QFile::exists(path("set.old")));
    EXPECT_EQ(s().ParamFileName, QStringLiteral("set.old"));
    const Names before = names();
    EXPECT_FALSE(procs().KayıtEt(4));
    EXPECT_TRUE(names() == before);
}

TEST_F(ParamsetFileTest, FailedSaveIsReportedAndChangesNothing) {
    fx.dialogs.answerFile(path("keep.vlm"));
    ASSERT_TRUE(procs().KayıtEt(3));
    const QByteArray old = contents(path("keep.vlm"));
    const Names before = names();
    s().CurrentParameterSet = *decodeParameterSet(makeSampleFile().bytes);

    write(path("plain-file"), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a-folder.vlm")));
    QStringList targets = {path("plain-file/set.vlm"), path("a-folder.vlm")};
    // A folder that cannot be written (only where permissions bind the user running the tests).
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFile(path("locked/probe")).open(QIODevice::WriteOnly))
        targets << path("locked/set.vlm");

    for (const QString& target : targets) {
        fx.dialogs.clear();
        fx.dialogs.answerFile(target);
        EXPECT_FALSE(procs().KayıtEt(4)) << target.toStdString();
        const auto shown = fx.dialogs.messages();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.value(0).text.startsWith(QStringLiteral("The parameter-set file could not be saved.")));
        EXPECT_EQ(shown.value(0).icon, MsgIcon::Critical);
        EXPECT_TRUE(names() == before);
        EXPECT_EQ(contents(path("keep.vlm")), old);
    }
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(QDir(path("a-folder.vlm")).isEmpty());
}

#ifdef Q_OS_UNIX
// A write that fails half way (a full disk, here a file-size limit) leaves the old file whole: the
// record is written to a temporary file that replaces the old one only when complete.
TEST_F(ParamsetFileTest, WriteFailingHalfWayLeavesTheOldFileWhole) {
    s().CurrentParameterSet = *decodeParameterSet(makeSampleFile().bytes);
    fx.dialogs.answerFile(path("keep.vlm"));
    ASSERT_TRUE(procs().KayıtEt(3));
    const QByteArray old = contents(path("keep.vlm"));
    ASSERT_GT(old.size(), kParameterFileBlankSize);
    s().CurrentParameterSet.HeaderLines[0].assign(QStringLiteral("NEW"));

    fx.dialogs.clear();
    bool saved = true;
    {
        const FileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        saved = procs().KayıtEt(3);
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(fx.dialogs.messages().size(), 1);
    EXPECT_TRUE(contents(path("keep.vlm")) == old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.vlm")}) << "no leftovers";
    ASSERT_TRUE(procs().KayıtEt(3));
    EXPECT_TRUE(contents(path("keep.vlm")).startsWith("NEW"));
}
#endif

TEST_F(ParamsetFileTest, OpenTakesACompleteRecordAndRefusesAnythingElse) {
    const SampleFile sample = makeSampleFile();
    write(path("good.vlm"), sample.bytes + "trailing");
    ASSERT_TRUE(procs().readParameterSetFile(path("good.vlm")));
    EXPECT_EQ(encodeParameterSet(s().CurrentParameterSet), sample.bytes);
    EXPECT_EQ(s().ParamFileName, QStringLiteral("good.vlm"));
    EXPECT_EQ(s().ParamFilePath, path("good.vlm"));
    EXPECT_TRUE(caption().endsWith(QStringLiteral(" [good.vlm]")));

    write(path("empty.vlm"), QByteArray());
    write(path("short.vlm"), sample.bytes.left(sample.tail + 2311));
    write(path("text.txt"), "Parametre listesi\r\n[101] 1500\r\n");
    const ParameterSet before = s().CurrentParameterSet;
    const Names beforeNames = names();
    for (const char* name : {"empty.vlm", "short.vlm", "text.txt", "missing.vlm"}) {
        fx.dialogs.clear();
        EXPECT_FALSE(procs().readParameterSetFile(path(name))) << name;
        const auto shown = fx.dialogs.messages();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.value(0).text.startsWith(QStringLiteral("The file could not be opened")));
        EXPECT_TRUE(s().CurrentParameterSet == before);
        EXPECT_TRUE(names() == beforeNames);
    }
}

} // namespace
