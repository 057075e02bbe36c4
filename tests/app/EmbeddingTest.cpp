// The program started as the host starts it, inside a real X server (run under xvfb-run): this
// test is the host. It checks with the X server that the program's window becomes a child of
// ours at (2, 2), presses the job with the mouse, confirms the notice with the keyboard, and
// reads the outcome the program hands back in Horvane.ini.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The ids of the direct children of an X window, as xwininfo lists them.
QStringList childrenOf(WId window) {
    const QString tree = run("xwininfo", {"-children", "-id", QString::number(window)});
    QStringList ids;
    static const QRegularExpression child(R"(^\s+(0x[0-9a-f]+) )",
                                          QRegularExpression::MultilineOption);
    const qsizetype list = tree.indexOf("child");
    for (auto it = child.globalMatch(tree.mid(list < 0 ? tree.size() : list)); it.hasNext();)
        ids << it.next().captured(1);
    return ids;
}

int field(const QString& info, const QString& name) {
    const QRegularExpression line(QRegularExpression::escape(name) + R"(:\s+(-?\d+))");
    const auto match = line.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -9999;
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : "<missing>";
}

} // namespace

class EmbeddingTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString program_;

    // Starts the program from its own folder (Horvane.ini goes next to it), in the example
    // school's folder, with a work folder of its own.
    void start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HTEMP", folder_.filePath("work"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder_.filePath("sice"));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(program_, arguments);
        QVERIFY(process.waitForStarted());
    }

    // Confirms every notice the program shows with Enter until it ends.
    static void confirmNoticesUntilFinished(QProcess& process) {
        for (int round = 0; round < 300 && process.state() != QProcess::NotRunning; ++round) {
            const QStringList boxes =
                run("xdotool", {"search", "--onlyvisible", "--name", "^transTalvorSice$"})
                    .split('\n', Qt::SkipEmptyParts);
            for (const QString& box : boxes) {
                run("xdotool", {"windowfocus", "--sync", box});
                run("xdotool", {"key", "Return"});
            }
            process.waitForFinished(100);
        }
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        program_ = folder_.filePath("transTalvorSice");
        QVERIFY(QFile::copy(TTS_APP_EXECUTABLE, program_));
        QFile(program_).setPermissions(QFile(TTS_APP_EXECUTABLE).permissions());
        QDir().mkpath(folder_.filePath("work"));
        QDir().mkpath(folder_.filePath("sice"));
        const QDir example(TTS_SOURCE_DIR "/examples/sice");
        for (const QString& name : example.entryList(QDir::Files))
            QVERIFY(QFile::copy(example.filePath(name), folder_.filePath("sice/" + name)));
    }

    void init() { QFile::remove(folder_.filePath("Horvane.ini")); }

    void embeddedImportRunsInsideTheHostAndHandsBackOne() {
        QWidget host;
        host.setWindowTitle("Horvane");
        host.resize(700, 400);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QProcess program;
        start(program, {"exportar", QString::number(host.winId(), 16).toUpper()});
        QStringList children;
        for (int i = 0; i < 100 && children.isEmpty(); ++i) {
            QTest::qWait(100);
            children = childrenOf(host.winId());
        }
        QCOMPARE(children.size(), 1);
        const QString ours = children.first();

        // A child of the host, without a frame of the window manager between, at (2, 2).
        const QString info = run("xwininfo", {"-id", ours});
        QCOMPARE(field(info, "Relative upper-left X"), 2);
        QCOMPARE(field(info, "Relative upper-left Y"), 2);
        QCOMPARE(field(info, "Width"), 599);
        QCOMPARE(field(info, "Height"), 270);
        QVERIFY2(info.contains("Map State: IsViewable"), qPrintable(info));
        QVERIFY(run("xwininfo", {"-children", "-id", ours})
                    .contains("Parent window id: 0x" + QString::number(host.winId(), 16)));

        // The only job shown is SICE to Horvane, its button where the layout puts it.
        run("xdotool", {"mousemove", "--sync", "--window", ours, "132", "84"});
        run("xdotool", {"click", "1"});
        confirmNoticesUntilFinished(program);

        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(readAll(folder_.filePath("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=1\r\n"));
        QVERIFY(QFile::exists(folder_.filePath("work/DIASHORAST.DBF")));
        QVERIFY(childrenOf(host.winId()).isEmpty());
    }

    void standaloneHasAFixedFrameWithACloseBoxOnly() {
        QProcess program;
        start(program, {});
        QString ours;
        for (int i = 0; i < 100 && ours.isEmpty(); ++i) {
            QTest::qWait(100);
            ours = run("xdotool", {"search", "--onlyvisible", "--name", "^Exportar e importar"})
                       .section('\n', 0, 0);
        }
        QVERIFY(!ours.isEmpty());
        const QString properties = run("xprop", {"-id", ours});
        QVERIFY2(properties.contains("program specified minimum size: 599 by 270") &&
                     properties.contains("program specified maximum size: 599 by 270"),
                 qPrintable(properties));
        // Motif hints: flags, functions, decorations. No minimise (8) or maximise (16) function,
        // no minimise (32) or maximise (64) box; a title (8) and a close function (32).
        static const QRegularExpression motif(
            R"(_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x[0-9a-f]+), (0x[0-9a-f]+), (0x[0-9a-f]+))");
        const auto hints = motif.match(properties);
        QVERIFY2(hints.hasMatch(), qPrintable(properties));
        const uint functions = hints.captured(2).toUInt(nullptr, 16);
        const uint decorations = hints.captured(3).toUInt(nullptr, 16);
        QCOMPARE(functions & (1u | 8u | 16u | 32u), 32u);
        QCOMPARE(decorations & (1u | 8u | 32u | 64u), 8u);
        QVERIFY(properties.contains("WM_DELETE_WINDOW"));

        // Salir: standalone, nothing is handed back.
        run("xdotool", {"mousemove", "--sync", "--window", ours, "429", "218"});
        run("xdotool", {"click", "1"});
        QVERIFY(program.waitForFinished(10000));
        QVERIFY(!QFile::exists(folder_.filePath("Horvane.ini")));
    }

    void handleOfNoWindowLeavesABorderlessWindowThatStillHandsBack() {
        QProcess program;
        start(program, {"importar", "FFFFFF0"});
        QString ours;
        for (int i = 0; i < 100 && ours.isEmpty(); ++i) {
            QTest::qWait(100);
            ours = run("xdotool", {"search", "--onlyvisible", "--name", "^Exportar e importar"})
                       .section('\n', 0, 0);
        }
        QVERIFY(!ours.isEmpty());
        const QString info = run("xwininfo", {"-id", ours});
        QCOMPARE(field(info, "Absolute upper-left X"), 2);
        QCOMPARE(field(info, "Absolute upper-left Y"), 2);

        // Salir, in the lower panel.
        run("xdotool", {"mousemove", "--sync", "--window", ours, "429", "218"});
        run("xdotool", {"click", "1"});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(readAll(folder_.filePath("Horvane.ini")),
                 QStringLiteral("[Transformadores]\r\nTransformado=0\r\n"));
    }
};

QTEST_MAIN(EmbeddingTest)
#include "EmbeddingTest.moc"
