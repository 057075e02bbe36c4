// The form's behaviour driven through a recording front end, without any window toolkit: the
// command line, the keyboard rules, the close and its hand-off, a whole job, the folder chooser
// and the help.

#include "app/FormLogic.h"
#include "app/HelpRequests.h"
#include "app/ProcessState.h"

#include "base/platform/FaultInjection.h"
#include "base/platform/SystemError.h"
#include "tables/WorkTable.h"

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdlib.h>

namespace tts::app {
namespace {

namespace fs = std::filesystem;

// Draws nothing; writes down what the form asked of it.
class RecordingView : public FormView {
public:
    void showJobPanels(bool left, bool right) override {
        calls.push_back(std::string("panels ") + (left ? "L" : "-") + (right ? "R" : "-"));
    }
    void disableJobButtons() override { calls.push_back("disable"); }
    FormControl focusedControl() const override { return focused; }
    void focusControl(FormControl control) override { focused = control; }
    void embedInHost(uint32_t handle) override {
        calls.push_back("embed " + std::to_string(handle));
    }
    void showFolders() override { ++folderRedraws; }
    void closeWindow() override {
        calls.push_back("close");
        if (form && form->closeRequested())
            closed = true;
    }
    void setBusyPointer(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void keepAlive() override { ++keptAlive; }
    void notice(const std::string& text) override { notices.push_back(text); }
    void information(const std::string& text) override {
        informations.push_back(text);
        calls.push_back("information");
    }
    void error(const std::string& text) override { errors.push_back(text); }

    FormLogic* form = nullptr;
    FormControl focused = FormControl::Other;
    std::vector<std::string> calls, notices, informations, errors;
    int folderRedraws = 0;
    int keptAlive = 0;
    bool closed = false;
};

class RecordingHelp : public HelpRequests {
public:
    void contents(const std::string& file) override { requests.push_back("contents " + file); }
    void context(int id, const std::string& file) override {
        requests.push_back("context " + std::to_string(id) + " " + file);
    }
    std::vector<std::string> requests;
};

class FormLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(scratch.file("work"));
        ::setenv("HTEMP", scratch.file("work").c_str(), 1);
        fs::current_path(scratch.path());
        ParametrosLlamada = 0;
        EstadoTransformado = 7;
    }
    void TearDown() override { fs::current_path(fs::temp_directory_path()); }

    FormLogic& makeForm(std::vector<std::string> arguments, std::vector<Drive> drives = {}) {
        form = std::make_unique<FormLogic>(view, std::move(arguments), std::move(drives));
        view.form = form.get();
        form->setHandOffPath(scratch.file("Horvane.ini"));
        form->create();
        return *form;
    }

    test::TempFolder scratch;
    RecordingView view;
    std::unique_ptr<FormLogic> form;
};

struct CommandLineCase {
    std::vector<std::string> arguments;
    std::vector<std::string> calls; // what the front end is asked at creation
    int32_t parametros;
    std::string error;
};

TEST_F(FormLogicTest, CommandLineSettlesTheModeOnce) {
    const CommandLineCase cases[] = {
        {{}, {}, 0, ""},
        {{"importar"}, {}, 0, ""},
        {{"importar", "1A2B", "x"}, {}, 0, ""},
        {{"IMPORTAR", "1a2b"}, {"embed 6699", "panels -R"}, 2, ""},
        {{"Exportar", "0000001A2B"}, {"embed 6699", "panels L-"}, 2, ""},
        {{"importar ", "1A2B"}, {"embed 6699", "panels LR"}, 2, ""},
        {{"importar", "123456789"}, {}, 0, "'$123456789' no es un valor entero v\xE1lido."},
        {{"exportar", "0x1A2B"}, {}, 0, "'$0x1A2B' no es un valor entero v\xE1lido."},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
        view = RecordingView{};
        ParametrosLlamada = 0;
        FormLogic& logic = makeForm(c.arguments);
        EXPECT_EQ(view.calls, c.calls);
        EXPECT_EQ(ParametrosLlamada, c.parametros);
        EXPECT_EQ(logic.isEmbedded(), c.parametros == 2);
        EXPECT_EQ(EstadoTransformado, 0);
        EXPECT_EQ(view.errors,
                  c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
        const bool left = c.calls.empty() || c.calls[1] != "panels -R";
        const bool right = c.calls.empty() || c.calls[1] != "panels L-";
        EXPECT_EQ(logic.siceToHorvaneShown(), left);
        EXPECT_EQ(logic.horvaneToSiceShown(), right);
        EXPECT_EQ(logic.initialFocus(), left ? FormControl::BExportar : FormControl::BImportar);
    }
}

TEST_F(FormLogicTest, EnterGoesToTheFirstJobThatCanBePressed) {
    using C = FormControl;
    using K = KeyAction;
    struct Case {
        std::vector<std::string> arguments;
        bool jobsDone;
        C focused;
        bool dropDownOpen;
        K action;
    };
    const Case cases[] = {
        {{}, false, C::Directorios, false, K::PressBExportar},
        {{}, false, C::Unidades, false, K::PressBExportar},
        {{}, false, C::Unidades, true, K::PassOn},
        {{}, false, C::BImportar, false, K::PressBImportar},
        {{}, false, C::BClose, false, K::PressBClose},
        {{}, false, C::Button1, false, K::PressButton1},
        {{"importar", "1A2B"}, false, C::Directorios, false, K::PressBImportar},
        {{"importar", "1A2B"}, false, C::BExportar, false, K::Swallow}, // hidden
        {{}, true, C::Directorios, false, K::OpenSelectedRow},
        {{}, true, C::Unidades, false, K::PassOn},
        {{}, true, C::BExportar, false, K::Swallow}, // disabled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(static_cast<int>(c.focused)) +
                     (c.jobsDone ? " after a job" : "") + (c.arguments.empty() ? "" : " embedded"));
        FormLogic& logic = makeForm(c.arguments);
        if (c.jobsDone)
            logic.disableJobs();
        EXPECT_EQ(logic.enterKey(c.focused, c.dropDownOpen), c.action);
    }
    EXPECT_EQ(FormLogic::escapeKey(), K::Swallow);
    EXPECT_EQ(FormLogic::altKey('s'), K::PressBClose);
    EXPECT_EQ(FormLogic::altKey('S'), K::PressBClose);
    EXPECT_EQ(FormLogic::altKey('a'), K::PassOn);
}

// What a front end forwards: the key's action, or a click, reaches the one handler it names.
TEST_F(FormLogicTest, KeyActionsAndClicksReachTheirHandlers) {
    using C = FormControl;
    using K = KeyAction;
    const std::pair<K, C> presses[] = {{K::PressBExportar, C::BExportar},
                                       {K::PressBImportar, C::BImportar},
                                       {K::PressBClose, C::BClose},
                                       {K::PressButton1, C::Button1},
                                       {K::OpenSelectedRow, C::Other},
                                       {K::Swallow, C::Other},
                                       {K::PassOn, C::Other}};
    for (const auto& [action, button] : presses)
        EXPECT_EQ(FormLogic::buttonPressedBy(action), button);

    fs::create_directories(scratch.file("sub"));
    FormLogic& logic = makeForm({});
    RecordingHelp help;
    logic.setHelpRequests(&help);
    const std::string start = logic.folders().directory();
    logic.perform(K::Swallow, 0);
    logic.perform(K::PassOn, 0);
    logic.click(C::Directorios);
    EXPECT_EQ(logic.folders().directory(), start);
    logic.perform(K::PressButton1, 0);
    logic.click(C::Button1);
    EXPECT_EQ(help.requests, (std::vector<std::string>{"contents SICE.chm", "contents SICE.chm"}));
    const auto& rows = logic.folders().rows();
    const auto sub = std::find_if(rows.begin(), rows.end(),
                                  [](const FolderRow& row) { return row.name == "sub"; });
    ASSERT_NE(sub, rows.end());
    logic.perform(K::OpenSelectedRow, static_cast<int>(sub - rows.begin()));
    EXPECT_EQ(logic.folders().directory(), scratch.file("sub"));
    EXPECT_FALSE(view.closed);
    logic.click(C::BClose);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.errors, std::vector<std::string>{});
}

TEST_F(FormLogicTest, CloseHandsOffOnlyWhenEmbeddedAndRetriesAfterAFailure) {
    test::writeBytes(scratch.file("Horvane.ini"), "[Transformadores]\r\nTransformado=5\r\n");
    makeForm({});
    form->BCloseClick();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(test::readBytes(scratch.file("Horvane.ini")),
              "[Transformadores]\r\nTransformado=5\r\n");

    view = RecordingView{};
    FormLogic& logic = makeForm({"exportar", "1A2B"});
    logic.setHandOffPath(scratch.file("Horvane.ini/not-a-folder"));
    // While a job works, only the job itself may close the window.
    logic.setBusy(true);
    EXPECT_FALSE(logic.closeRequested());
    logic.setBusy(false);
    EXPECT_FALSE(logic.closeRequested());
    EXPECT_EQ(view.errors, std::vector<std::string>{
                               "Unable to write to " + scratch.file("Horvane.ini/not-a-folder") +
                               "\nMotivo: una parte de la ruta no es una carpeta."});
    EXPECT_TRUE(logic.handOffUnwritten());
    logic.setHandOffPath(scratch.file("Horvane.ini"));
    EXPECT_TRUE(logic.closeRequested());
    EXPECT_FALSE(logic.handOffUnwritten());
    EXPECT_EQ(test::readBytes(scratch.file("Horvane.ini")),
              "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(FormLogicTest, EmbeddedImportRunsOnceKeepsTheWindowAliveAndHandsOffOne) {
    const std::string school = scratch.file("sice");
    fs::copy(TTS_SOURCE_DIR "/examples/sice", school);
    fs::current_path(school);
    FormLogic& logic = makeForm({"exportar", "1A2B"});
    view.calls.clear();

    logic.BExportarClick();

    EXPECT_EQ(view.notices, std::vector<std::string>{"Proceso finalizado"});
    EXPECT_EQ(view.errors, std::vector<std::string>{});
    // The example school's repeated codes follow in one more message, before the close.
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"busy", "idle", "information", "disable", "close"}));
    ASSERT_EQ(view.informations.size(), 1u);
    EXPECT_NE(view.informations[0].find("'pgar'"), std::string::npos) << view.informations[0];
    EXPECT_GE(view.keptAlive, 5); // between every two steps at least
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(test::readBytes(scratch.file("Horvane.ini")),
              "[Transformadores]\r\nTransformado=1\r\n");
    EXPECT_TRUE(fs::exists(scratch.file("work/DIASHORAST.DBF")));

    // A completed job leaves nothing to press.
    EXPECT_FALSE(logic.canPress(FormControl::BExportar));
    EXPECT_FALSE(logic.canPress(FormControl::BImportar));
    EXPECT_TRUE(logic.canPress(FormControl::BClose));
    logic.BImportarClick();
    EXPECT_EQ(view.notices.size(), 1u);
}

// The example school's export names the rooms, groups and tasks it could not find, in a message
// after "Proceso finalizado"; a timetable whose codes are all found, some empty, shows none.
TEST_F(FormLogicTest, AnExportWithMissingCodesSaysSoAfterProcesoFinalizado) {
    const std::string school = scratch.file("sice");
    fs::copy(TTS_SOURCE_DIR "/examples/sice", school);
    fs::current_path(school);
    makeForm({}).BExportarClick();
    fs::copy_file(TTS_SOURCE_DIR "/examples/SOLUC.DBF", scratch.file("work/SOLUC.DBF"));

    for (const bool clean : {false, true}) {
        SCOPED_TRACE(clean ? "clean" : "example");
        if (clean) {
            // Only the rows whose codes are all found or empty.
            tables::WorkTable soluc =
                tables::WorkTable::open(scratch.file("work"), "SOLUC", tables::OpenMode::Exclusive);
            const std::vector<std::string> bad = {"4ESOA-D", "*CCP", "AULA-ING"};
            const auto isBad = [&](const std::string& code) {
                return std::find(bad.begin(), bad.end(), code) != bad.end();
            };
            const std::vector<tables::ColumnHandle> codes = {
                soluc.column("CODGRUPO"), soluc.column("TAREA"), soluc.column("AULA")};
            for (soluc.first(); !soluc.atEnd(); soluc.next()) {
                soluc.edit();
                for (const tables::ColumnHandle& column : codes)
                    if (isBad(soluc.readText(column)))
                        soluc.writeText(column, "");
                soluc.post();
            }
            soluc.close();
        }
        view = RecordingView{};
        ParametrosLlamada = 0;
        EstadoTransformado = 0;
        FormLogic& logic = makeForm({"importar", "1A2B"});
        view.calls.clear();
        logic.BImportarClick();
        EXPECT_EQ(view.notices, std::vector<std::string>{"Proceso finalizado"});
        EXPECT_TRUE(view.closed);
        EXPECT_EQ(test::readBytes(scratch.file("Horvane.ini")),
                  "[Transformadores]\r\nTransformado=1\r\n");
        if (clean) {
            EXPECT_EQ(view.informations, std::vector<std::string>{});
            EXPECT_EQ(view.calls, (std::vector<std::string>{"busy", "idle", "disable", "close"}));
            continue;
        }
        EXPECT_EQ(view.calls,
                  (std::vector<std::string>{"busy", "idle", "information", "disable", "close"}));
        ASSERT_EQ(view.informations.size(), 1u);
        for (const char* code : {"'4ESOA-D'", "'*CCP'", "'AULA-ING'"})
            EXPECT_NE(view.informations[0].find(code), std::string::npos) << code;
    }
}

TEST_F(FormLogicTest, JobErrorRestoresThePointerAndKeepsTheJobsAndTheWindow) {
    fs::create_directories(scratch.file("empty"));
    fs::current_path(scratch.file("empty"));
    FormLogic& logic = makeForm({"importar", "1A2B"});
    view.calls.clear();
    logic.BImportarClick(); // the export finds no sice_asignat.txt
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_EQ(view.errors[0].rfind("Cannot open file", 0), 0u) << view.errors[0];
    EXPECT_EQ(view.calls, (std::vector<std::string>{"busy", "idle"}));
    EXPECT_FALSE(logic.busy());
    EXPECT_TRUE(logic.canPress(FormControl::BImportar));
    EXPECT_FALSE(view.closed);
}

TEST_F(FormLogicTest, AfterAJobTheFocusMovesOnAndTabAndF1KeepWorking) {
    using C = FormControl;
    const std::string school = scratch.file("sice");
    fs::copy(TTS_SOURCE_DIR "/examples/sice", school);
    struct Case {
        const char* way;
        C focusedAtStart;
        bool byEnter;
        C focusedAfter, afterTab, afterShiftTab;
    };
    const Case cases[] = {
        // A click gives the button the focus before the job starts.
        {"click", C::BExportar, false, C::BClose, C::Directorios, C::Button1},
        {"Enter on the button", C::BExportar, true, C::BClose, C::Directorios, C::Button1},
        {"Enter in the list", C::Directorios, true, C::Directorios, C::Unidades, C::BClose},
    };
    ApplicationHelpFile = "SICE.chm"; // as start-up sets it
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        fs::current_path(school);
        view = RecordingView{};
        FormLogic& logic = makeForm({});
        RecordingHelp help;
        logic.setHelpRequests(&help);
        view.focused = c.focusedAtStart;
        if (c.byEnter) {
            ASSERT_EQ(logic.enterKey(view.focused, false), KeyAction::PressBExportar);
        }
        logic.BExportarClick();
        ASSERT_EQ(view.notices, std::vector<std::string>{"Proceso finalizado"});
        ASSERT_FALSE(logic.canTakeFocus(C::BExportar));

        EXPECT_EQ(view.focused, c.focusedAfter);
        EXPECT_EQ(logic.tabKey(view.focused, true), c.afterShiftTab);
        view.focused = logic.tabKey(view.focused, false);
        EXPECT_EQ(view.focused, c.afterTab);
        logic.helpKey(3);
        EXPECT_EQ(help.requests, std::vector<std::string>{"context 3 SICE.chm"});
        // Enter still does what the focused control offers, with no job left to press.
        EXPECT_NE(logic.enterKey(view.focused, false), KeyAction::Swallow);
        EXPECT_FALSE(view.closed);
    }
}

TEST_F(FormLogicTest, TabSkipsWhatCannotTakeTheFocus) {
    using C = FormControl;
    struct Case {
        std::vector<std::string> arguments;
        bool jobsDone;
        C focused;
        bool backwards;
        C next;
    };
    const Case cases[] = {
        {{}, false, C::BExportar, false, C::BImportar},
        {{}, false, C::Button1, false, C::BExportar},
        {{}, false, C::BExportar, true, C::Button1},
        {{}, false, C::Other, false, C::BExportar},
        {{}, false, C::Other, true, C::Button1},
        {{}, true, C::Button1, false, C::BClose},
        {{}, true, C::Other, false, C::BClose},
        {{"importar", "1A2B"}, false, C::Button1, false, C::BImportar},
        {{"importar", "1A2B"}, false, C::BImportar, true, C::Button1},
        {{"exportar", "1A2B"}, false, C::BExportar, false, C::BClose},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(static_cast<int>(c.focused)) +
                     (c.backwards ? " backwards" : "") + (c.jobsDone ? " after a job" : "") +
                     (c.arguments.empty() ? "" : " " + c.arguments[0]));
        FormLogic& logic = makeForm(c.arguments);
        if (c.jobsDone)
            logic.disableJobs();
        EXPECT_EQ(logic.tabKey(c.focused, c.backwards), c.next);
    }
}

// Another program holds a SICE file: the box keeps the message SICE users know and names the
// file and why on the lines after it.
TEST_F(FormLogicTest, AHeldSiceFileIsNamedInTheErrorBox) {
    const std::string school = scratch.file("sice");
    fs::copy(TTS_SOURCE_DIR "/examples/sice", school);
    fs::current_path(school);
    const std::string held = school + "/sice_prof.txt";
    platform::failReadsOf(held, platform::sharingViolation());
    FormLogic& logic = makeForm({});
    logic.BExportarClick();
    platform::failReadsOf("");
    EXPECT_EQ(view.errors, std::vector<std::string>{"Error de E/S 32.\nArchivo: " + held +
                                                    "\nMotivo: otro programa lo tiene abierto."});
    EXPECT_TRUE(fs::exists(scratch.file("work/ASIGNOMT.DBF")));
    EXPECT_FALSE(fs::exists(scratch.file("work/PROFT.DBF")));
}

TEST_F(FormLogicTest, FolderChooserListsRemembersEachDrivesFolderAndKeepsItsStateOnErrors) {
    // Two "drives", each a folder of its own.
    for (const char* folder : {"c/one/deep", "c/One2", "c/two", "c/.hidden", "d/x"})
        fs::create_directories(scratch.file(folder));
    const std::vector<Drive> drives{{scratch.file("c"), DriveKind::Fixed, "C"},
                                    {scratch.file("d"), DriveKind::Removable, ""}};
    fs::current_path(scratch.file("c"));
    FormLogic& logic = makeForm({}, drives);
    const FolderChooser& folders = logic.folders();
    ASSERT_EQ(folders.directory(), scratch.file("c"));
    EXPECT_EQ(folders.currentDrive(), 0);
    const auto& rows = folders.rows();
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, "/");
    EXPECT_EQ(rows[size_t(folders.currentRow())].icon, FolderIcon::Current);
    std::vector<std::string> subfolders;
    for (size_t row = size_t(folders.currentRow()) + 1; row < rows.size(); ++row) {
        subfolders.push_back(rows[row].name);
        EXPECT_EQ(rows[row].level, folders.currentRow() + 1);
    }
    EXPECT_EQ(subfolders, (std::vector<std::string>{"one", "One2", "two"}));

    logic.openRow(folders.currentRow() + 1);
    logic.openFolder("deep");
    EXPECT_EQ(folders.directory(), scratch.file("c/one/deep"));
    EXPECT_EQ(fs::current_path().string(), scratch.file("c/one/deep"));
    logic.pickDrive(1);
    EXPECT_EQ(folders.directory(), scratch.file("d"));
    EXPECT_EQ(folders.currentDrive(), 1);
    logic.pickDrive(0);
    EXPECT_EQ(folders.directory(), scratch.file("c/one/deep"));

    // A folder that went away: the error, and nothing changes.
    logic.pickDrive(1);
    fs::remove_all(scratch.file("c/one"));
    const int redraws = view.folderRedraws;
    logic.pickDrive(0);
    EXPECT_EQ(view.errors, std::vector<std::string>{"I/O error 3."});
    EXPECT_EQ(folders.directory(), scratch.file("d"));
    EXPECT_EQ(folders.currentDrive(), 1);
    EXPECT_GT(view.folderRedraws, redraws); // the selector goes back to the opened folder's
    logic.openFolder(scratch.file("d/x/missing"));
    EXPECT_EQ(view.errors.size(), 2u);
    EXPECT_EQ(fs::current_path().string(), scratch.file("d"));

    // Label2: as much of the path as fits in the list's width.
    const std::string caption = logic.folderCaption([](const std::string& text) {
        return static_cast<int>(text.size()) * 40; // 7 characters fit in 287
    });
    EXPECT_EQ(caption, "/.../d");
}

TEST_F(FormLogicTest, HelpButtonAndF1AskTheHelp) {
    FormLogic& logic = makeForm({});
    logic.Button1Click(); // nothing yet, and no error
    RecordingHelp help;
    logic.setHelpRequests(&help);
    logic.Button1Click();
    logic.helpKey(3);
    logic.helpKey(0); // from a control without a context of its own: the window's
    EXPECT_EQ(help.requests, (std::vector<std::string>{"contents SICE.chm", "context 3 SICE.chm",
                                                       "context 3 SICE.chm"}));
    EXPECT_EQ(view.errors, std::vector<std::string>{});
}

} // namespace
} // namespace tts::app
