#include "preview_run.h"

#include "click_report.h"
#include "interactive.h"
#include "label_path.h"
#include "menu_capture.h"
#include "options.h"
#include "platform/sim/inspect.h"
#include "plugin/descriptor.h"
#include "preview_session.h"
#include "settings_dump.h"
#include "tree_printer.h"

#include <exception>

namespace tg::preview {

namespace {

constexpr char kProgram[] = "tunegrove-preview";

void noteMessageBoxes(std::ostream& err, std::size_t from) {
    const auto& boxes = platform::sim::messageBoxes();
    for (std::size_t i = from; i < boxes.size(); ++i)
        err << kProgram << ": the plug-in showed a message box \"" << boxes[i].caption
            << "\": " << boxes[i].text << '\n';
}

void showTree(PreviewSession& session, const Options& options, std::ostream& out,
              std::ostream& err) {
    const std::size_t boxes = session.messageBoxCount();
    const OpenedMenu base = session.openBase(options.hotkey);
    const OpenedMenu shown = session.openPath(base, splitLabelPath(options.open));
    MenuTree tree;
    tree.title = menuTitle(shown);
    tree.items = captureMenu(session.loop(), shown.menu, options.depth);
    session.loop().closeAll();
    if (options.json)
        printTreeJson(out, tree);
    else
        printTree(out, tree);
    noteMessageBoxes(err, boxes);
}

void click(PreviewSession& session, const Options& options, std::ostream& out) {
    driver::MenuLoop& loop = session.loop();
    const OpenedMenu base = session.openBase(options.hotkey);
    const PreviewSession::Item item = session.findItem(base, splitLabelPath(options.click));
    const ClickSnapshot before = clickSnapshot();

    if (options.action.empty()) {
        loop.choose(item.menu.menu, item.position);
    } else {
        loop.select(item.menu.menu, item.position);
        const std::size_t openBefore = loop.openMenus().size();
        loop.rightClick();
        const HMENU context = loop.innermost();
        if (loop.openMenus().size() <= openBefore || context == nullptr)
            throw InputError("no context menu opens on \"" + item.label + "\"");
        std::vector<std::string> texts;
        for (const platform::sim::MenuItemView& entry : shownItems(context))
            texts.push_back(entry.text);
        const std::optional<LabelMatch> entry = findLabel(texts, {options.action}, 0);
        if (!entry)
            throw InputError("the context menu of \"" + item.label + "\" has no \"" +
                             options.action + "\"; it holds " + describeLabels(texts));
        loop.choose(context, entry->position);
    }
    session.settle();

    ClickReport report = collectClickReport(before, loop.anyOpen());
    report.trail = item.menu.trail;
    report.trail.push_back(item.label);
    report.action = options.action;
    loop.closeAll();
    if (options.json)
        printClickReportJson(out, report);
    else
        printClickReport(out, report);
}

int runSession(const Options& options, const std::filesystem::path& samples, std::istream& in,
               std::ostream& out, std::ostream& err, bool terminal) {
    PreviewSession session(err);
    session.start(resolveInputs(options, samples));
    switch (options.mode) {
    case Mode::Tree: showTree(session, options, out, err); break;
    case Mode::Click: click(session, options, out); break;
    case Mode::SettingsDump: {
        const SettingsOrigin origin{session.settingsFile(), session.firstRun()};
        if (options.json)
            printSettingsJson(out, origin);
        else
            printSettings(out, origin);
        break;
    }
    case Mode::Interactive: runInteractive(session, options, in, out, terminal); break;
    case Mode::Help:
    case Mode::Version: break;
    }
    const std::vector<std::string> faults = session.stop();
    for (const std::string& fault : faults) err << kProgram << ": fault: " << fault << '\n';
    return faults.empty() ? kExitOk : kExitFailure;
}

} // namespace

int runPreview(const std::vector<std::string>& arguments, const std::filesystem::path& samples,
               std::istream& in, std::ostream& out, std::ostream& err, bool terminal) {
    const ParsedOptions parsed = parseOptions(arguments);
    if (!parsed.error.empty()) {
        err << kProgram << ": " << parsed.error << "\nTry '" << kProgram << " --help'.\n";
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.mode == Mode::Help) {
        out << usageText();
        return kExitOk;
    }
    if (options.mode == Mode::Version) {
        out << kProgram << ' ' << kDescription << '\n';
        return kExitOk;
    }
    try {
        return runSession(options, samples, in, out, err, terminal);
    } catch (const InputError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& error) {
        err << kProgram << ": internal failure: " << error.what() << '\n';
        return kExitFailure;
    }
}

} // namespace tg::preview
