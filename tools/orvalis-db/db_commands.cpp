#include "orvalis-db/db_commands.h"

#include "content/idb_format.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"
#include "orvalis-db/cp1252.h"
#include "orvalis-db/db_check.h"
#include "orvalis-db/record_source.h"
#include "orvalis-db/text_files.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalis::dbtool {

namespace {

const char* const MainHelp =
    R"(orvalis-db: compiles, inspects and checks the Orvalis record database (D/iDbRecs.dat).

Usage:
  orvalis-db pack SRC... DB          compile record sources (UTF-8) into the database DB
  orvalis-db unpack DB SRC           write the database as one record source
  orvalis-db list DB [--section C]   the title lines "ordinal|title", sorted by title
  orvalis-db query DB QUERY [--link]
                                     run the keyword search (or, with --link, the link
                                     search) and print the sorted title lines and the count
  orvalis-db check DB                report damage, duplicate ids, misplaced extra texts
                                     and recipes, and links that find nothing
  orvalis-db dump DB TXT             write every record as one line "path<TAB>text", in
                                     Windows-1252, line breaks as spaces (for grep)
  orvalis-db text SRC OUT [--check quiz|bmi]
                                     convert a hint, quiz or BMI text to Windows-1252, CR LF
  orvalis-db COMMAND --help          help on one command
  orvalis-db --version               the version of the tool and of the program

Exit codes: 0 success, 1 error (also: check found problems), 2 wrong usage.
)";

struct TCommand {
    const char* Name;
    const char* Help;
    size_t MinArgs, MaxArgs;          // operands, without options
    std::vector<std::string> Options; // "--name" takes a value when it ends with '='
    std::function<int(const std::vector<std::string>&, const std::map<std::string, std::string>&,
                      std::ostream&, std::ostream&)>
        Run;
};

bool ReadFile(const std::string& name, std::string& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes through a temporary file beside the target and renames it into place, so that a failure never
// leaves a partial file under the target's name, and removes the temporary file on every failure (also when
// the file-size limit stops the write). A symbolic link is written through to the file it names, and an
// existing target keeps its permissions.
bool WriteFileAtomically(const std::string& name, const std::string& bytes, std::string& error) {
    // Past the file-size limit a write then fails with an error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    std::error_code ec;
    std::filesystem::path target(name);
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
        if (ec) {
            error = "cannot follow the link " + name;
            return false;
        }
        target = resolved;
    }
    auto mode = std::filesystem::perms(0644);
    const std::filesystem::file_status existing = std::filesystem::status(target, ec);
    if (!ec && std::filesystem::is_regular_file(existing))
        mode = existing.permissions() & std::filesystem::perms::mask;
    std::string temp = (target.parent_path() / (target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a file in " + (target.has_parent_path() ? target.parent_path().string() : ".");
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == bytes.size() && ::fsync(fd) == 0 && ::fchmod(fd, mode_t(mode)) == 0;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed || std::rename(temp.c_str(), target.c_str()) != 0) {
        std::filesystem::remove(temp, ec);
        error = "cannot write " + name;
        return false;
    }
    return true;
}

std::string_view TitleOf(std::string_view line) {
    const size_t bar = line.find('|');
    const std::string_view title = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
    return title.substr(0, 255);
}

// Title lines in the reading lists' order: by the unsigned bytes of the title.
void SortByTitle(std::vector<std::string>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        const std::string_view ta = TitleOf(a), tb = TitleOf(b);
        return std::lexicographical_compare(ta.begin(), ta.end(), tb.begin(), tb.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    });
}

bool LoadDatabase(const std::string& name, TiDbRecFile& db, std::ostream& err) {
    if (db.LoadFromFile(name, nullptr))
        return true;
    if (db.RecordCount() == 0 && !std::ifstream(name))
        err << "orvalis-db: " << name << ": cannot be read\n";
    else
        err << "orvalis-db: " << name << ": the database is damaged; " << db.RecordCount()
            << " records could be read\n";
    return false;
}

void PrintLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines)
        out << Cp1252ToUtf8(line) << '\n';
}

int Pack(const std::vector<std::string>& args, const std::map<std::string, std::string>&, std::ostream& out,
         std::ostream& err) {
    std::vector<TSourceFile> files;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        TSourceFile file{args[i], {}};
        if (!ReadFile(args[i], file.Content)) {
            err << "orvalis-db: " << args[i] << ": cannot be read\n";
            return ExitError;
        }
        files.push_back(std::move(file));
    }
    std::vector<TSourceError> errors;
    const std::vector<TRawRecord> records = ParseRecordSource(files, errors);
    for (const TSourceError& e : errors)
        err << e.File << ":" << e.Line << ": " << e.Message << '\n';
    std::string bytes;
    if (!errors.empty() || !EncodeDatabase(records, bytes)) {
        err << "orvalis-db: " << errors.size() << " error(s); " << args.back() << " was not written\n";
        return ExitError;
    }
    std::string error;
    if (!WriteFileAtomically(args.back(), bytes, error)) {
        err << "orvalis-db: " << error << '\n';
        return ExitError;
    }
    out << "packed " << records.size() << " records into " << args.back() << '\n';
    return ExitOk;
}

int Unpack(const std::vector<std::string>& args, const std::map<std::string, std::string>&, std::ostream& out,
           std::ostream& err) {
    std::string bytes;
    if (!ReadFile(args[0], bytes)) {
        err << "orvalis-db: " << args[0] << ": cannot be read\n";
        return ExitError;
    }
    const TDecodeResult decoded = DecodeDatabase(bytes);
    if (!decoded.Complete) {
        err << "orvalis-db: " << args[0] << ": damaged at byte " << decoded.ErrorOffset << ": "
            << decoded.Error << "; nothing written\n";
        return ExitError;
    }
    std::string error;
    if (!WriteFileAtomically(args[1], WriteRecordSource(decoded.Records), error)) {
        err << "orvalis-db: " << error << '\n';
        return ExitError;
    }
    out << "unpacked " << decoded.Records.size() << " records into " << args[1] << '\n';
    return ExitOk;
}

int List(const std::vector<std::string>& args, const std::map<std::string, std::string>& options,
         std::ostream& out, std::ostream& err) {
    TiDbRecFile db;
    const bool loaded = LoadDatabase(args[0], db, err);
    const auto section = options.find("--section");
    if (section == options.end()) {
        db.SelectAll();
    } else {
        if (section->second.size() != 1 || section->second[0] < '1' || section->second[0] > '3') {
            err << "orvalis-db: --section takes 1, 2 or 3\n";
            return ExitUsage;
        }
        db.SelectSection(section->second[0]);
    }
    std::vector<std::string> lines;
    db.ListTitles(TTitleSelector::tsAll, lines);
    SortByTitle(lines);
    PrintLines(lines, out);
    return loaded ? ExitOk : ExitError;
}

int Query(const std::vector<std::string>& args, const std::map<std::string, std::string>& options,
          std::ostream& out, std::ostream& err) {
    std::optional<std::string> text = Utf8ToCp1252(args[1]);
    if (!text) {
        err << "orvalis-db: the query holds a character that Windows-1252 cannot hold\n";
        return ExitError;
    }
    TiDbRecFile db;
    const bool loaded = LoadDatabase(args[0], db, err);
    TiDbQuery query{text->data(), static_cast<int32_t>(text->size())};
    if (options.count("--link"))
        db.SelectByLinkQuery(query, nullptr);
    else
        db.SelectByQuery(query, nullptr);
    std::vector<std::string> lines;
    db.ListTitles(TTitleSelector::tsAll, lines);
    SortByTitle(lines);
    PrintLines(lines, out);
    out << db.SelectedCount() << (db.SelectedCount() == 1 ? " match\n" : " matches\n");
    return loaded ? ExitOk : ExitError;
}

int Check(const std::vector<std::string>& args, const std::map<std::string, std::string>&, std::ostream& out,
          std::ostream& err) {
    const TCheckReport report = CheckDatabase(args[0]);
    for (const std::string& problem : report.Problems)
        err << args[0] << ": " << Cp1252ToUtf8(problem) << '\n';
    if (!report.Problems.empty()) {
        err << "orvalis-db: " << report.Problems.size() << " problem(s) in " << args[0] << '\n';
        return ExitError;
    }
    out << args[0] << ": " << report.Records << " records, " << report.Links << " links, no problems\n";
    return ExitOk;
}

int Dump(const std::vector<std::string>& args, const std::map<std::string, std::string>&, std::ostream& out,
         std::ostream& err) {
    TiDbRecFile db;
    const bool loaded = LoadDatabase(args[0], db, err);
    std::string text;
    for (int32_t i = 1; i <= db.RecordCount(); ++i) {
        const TiDbRec r = db.Record(i);
        if (r.Path != nullptr)
            text += r.Path;
        text += '\t';
        for (uint16_t k = 0; k < r.TextLen; ++k)
            text += (r.Text[k] == '\r' || r.Text[k] == '\n') ? ' ' : r.Text[k];
        text += '\n';
    }
    std::string error;
    if (!WriteFileAtomically(args[1], text, error)) {
        err << "orvalis-db: " << error << '\n';
        return ExitError;
    }
    out << "dumped " << db.RecordCount() << " records into " << args[1] << '\n';
    return loaded ? ExitOk : ExitError;
}

int Text(const std::vector<std::string>& args, const std::map<std::string, std::string>& options,
         std::ostream& out, std::ostream& err) {
    TSourceFile file{args[0], {}};
    if (!ReadFile(args[0], file.Content)) {
        err << "orvalis-db: " << args[0] << ": cannot be read\n";
        return ExitError;
    }
    std::vector<TSourceError> errors;
    const std::string bytes = ConvertTextFile(file, errors);
    const auto kind = options.find("--check");
    if (errors.empty() && kind != options.end()) {
        if (kind->second == "quiz")
            errors = CheckQuizFile(args[0], bytes);
        else if (kind->second == "bmi")
            errors = CheckBmiFile(args[0], bytes);
        else {
            err << "orvalis-db: --check takes quiz or bmi\n";
            return ExitUsage;
        }
    }
    for (const TSourceError& e : errors)
        err << e.File << ":" << e.Line << ": " << e.Message << '\n';
    if (!errors.empty()) {
        err << "orvalis-db: " << errors.size() << " error(s); " << args[1] << " was not written\n";
        return ExitError;
    }
    std::string error;
    if (!WriteFileAtomically(args[1], bytes, error)) {
        err << "orvalis-db: " << error << '\n';
        return ExitError;
    }
    out << "converted " << args[0] << " into " << args[1] << '\n';
    return ExitOk;
}

const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> commands{
        {"pack",
         "Usage: orvalis-db pack SRC... DB\n"
         "Compiles the record sources, in the order given, into the database DB. Text is converted to\n"
         "Windows-1252 and scrambled as the reader expects. On any error nothing is written: the errors\n"
         "name file and line, and an existing DB stays as it was.\n\n",
         2,
         SIZE_MAX,
         {},
         Pack},
        {"unpack",
         "Usage: orvalis-db unpack DB SRC\n"
         "Writes the whole database as one record source; packing that source gives back the same file,\n"
         "byte for byte. A damaged database is refused.\n\n",
         2,
         2,
         {},
         Unpack},
        {"list",
         "Usage: orvalis-db list DB [--section C]\n"
         "Prints the title lines \"ordinal|title\" of every topic record (or of section C, 1 to 3), sorted\n"
         "by the bytes of the title as the reader's lists sort them. The ordinal counts the records of the\n"
         "selection (all records, or the section's).\n",
         1,
         1,
         {"--section="},
         List},
        {"query",
         "Usage: orvalis-db query DB QUERY [--link]\n"
         "Runs the keyword search for QUERY (terms after +, - or %, phrases in double quotes) or, with\n"
         "--link, the link search, and prints the sorted title lines of the matches and their count.\n"
         "A link click searches +\"TARGET\".\n",
         2,
         2,
         {"--link"},
         Query},
        {"check",
         "Usage: orvalis-db check DB\n"
         "Reports a damaged file (cut off, bytes after the last record), duplicate ids, extra-information\n"
         "and recipe records that do not directly follow their topic, records no list shows, and link\n"
         "targets (HREF=) for which the link search finds no record but the one holding the link.\n"
         "Exit code 1 when anything is wrong.\n",
         1,
         1,
         {},
         Check},
        {"dump",
         "Usage: orvalis-db dump DB TXT\n"
         "Writes every record as one line: the path, a tab and the text with its line breaks as spaces,\n"
         "in the database's Windows-1252.\n",
         2,
         2,
         {},
         Dump},
        {"text",
         "Usage: orvalis-db text SRC OUT [--check quiz|bmi]\n"
         "Converts a UTF-8 text file (a hint text, the quiz or the BMI table) into the program's\n"
         "Windows-1252 with CR LF line breaks. With --check quiz every question 1 to 150 must have its\n"
         "[Qn] and [An] sections: the question, a blank line, three alternatives, then in [An] a blank\n"
         "line, the number of the right alternative and the explanation. With --check bmi the sections\n"
         "[start], [ondergewicht], [normaalgewicht], [overgewicht], [obestias] and [mobide obestias] must\n"
         "be there. On any error nothing is written.\n",
         2,
         2,
         {"--check="},
         Text},
    };
    return commands;
}

} // namespace

int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << MainHelp;
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << MainHelp << '\n' << SourceFormatHelp;
        return ExitOk;
    }
    if (args[0] == "--version") {
        out << "orvalis-db " << ORVALIS_VERSION << '\n';
        return ExitOk;
    }
    const auto& commands = Commands();
    const auto command =
        std::find_if(commands.begin(), commands.end(), [&](const TCommand& c) { return args[0] == c.Name; });
    if (command == commands.end()) {
        err << "orvalis-db: unknown command '" << args[0] << "'\n\n" << MainHelp;
        return ExitUsage;
    }
    const std::string help =
        std::string(command->Help) +
        (command->Name == std::string("pack") || command->Name == std::string("unpack") ? SourceFormatHelp
                                                                                        : "");
    std::vector<std::string> operands;
    std::map<std::string, std::string> options;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << help;
            return ExitOk;
        }
        if (!a.starts_with("--") || a == "--") {
            operands.push_back(a);
            continue;
        }
        const std::string name = a.substr(0, a.find('='));
        const bool known =
            std::find(command->Options.begin(), command->Options.end(), name) != command->Options.end();
        const bool takesValue =
            std::find(command->Options.begin(), command->Options.end(), name + "=") != command->Options.end();
        if (known) {
            options[name] = "";
        } else if (takesValue) {
            if (a.find('=') != std::string::npos) {
                options[name] = a.substr(a.find('=') + 1);
            } else if (i + 1 < args.size()) {
                options[name] = args[++i];
            } else {
                err << "orvalis-db: " << name << " needs a value\n";
                return ExitUsage;
            }
        } else {
            err << "orvalis-db: " << command->Name << " has no option " << a << "\n\n" << command->Help;
            return ExitUsage;
        }
    }
    if (operands.size() < command->MinArgs || operands.size() > command->MaxArgs) {
        err << command->Help;
        return ExitUsage;
    }
    return command->Run(operands, options, out, err);
}

} // namespace orvalis::dbtool
