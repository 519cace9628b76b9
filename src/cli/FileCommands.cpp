#include "cli/FileCommands.h"

#include <cstddef>
#include <string>

#include "cli/ExitCodes.h"
#include "cli/ImageFiles.h"
#include "editing/ChannelList.h"
#include "editing/CsvImport.h"
#include "editing/CsvTable.h"
#include "editing/ImageDiff.h"
#include "editing/TableFormat.h"
#include "texts/InterfaceTexts.h"

namespace vorix::cli {

namespace {

const OptionSyntax kChineseOption{"--chinese", "", "", "texts of the Chinese interface"};

int fail(CliContext& context, const std::string& line) {
    context.err << line << '\n';
    return kExitBadInput;
}

int runShow(const ParsedArguments& args, CliContext& context) {
    const Result<RadioImage> loaded = LoadImageFile(context.files, args.operands[0]);
    if (!loaded.ok())
        return fail(context, loaded.error());
    AppState state = context.viewState(args.language());
    state.image = loaded.value();
    if (args.has("--channel-list")) {
        context.out << FormatChannelList(state);
        return kExitSuccess;
    }
    const TableTexts texts = BuildTableTexts(state);
    context.out << (args.has("--csv") ? FormatCsvTable(texts) : FormatPlainTable(texts));
    return kExitSuccess;
}

int runDiff(const ParsedArguments& args, CliContext& context) {
    const Result<RadioImage> a = LoadImageFile(context.files, args.operands[0]);
    if (!a.ok())
        return fail(context, a.error());
    const Result<RadioImage> b = LoadImageFile(context.files, args.operands[1]);
    if (!b.ok())
        return fail(context, b.error());
    if (a.value() == b.value())
        return kExitSuccess;
    const Language language = args.language();
    context.out << FormatImageDiff(DiffImages(context.viewState(language), a.value(), b.value()), language);
    return kExitDifferences;
}

int runImportCsv(const ParsedArguments& args, CliContext& context) {
    const std::string& csvPath = args.operands[0];
    const std::string outPath = args.value("--output");
    const std::string basePath = args.value("--base");
    if (const Result<void> checked = CheckOutputs(context.files, {outPath}, {csvPath, basePath});
        !checked.ok())
        return fail(context, checked.error());
    const Result<RadioImage> base = LoadImageFile(context.files, basePath);
    if (!base.ok())
        return fail(context, base.error());
    const InputRead csv = context.files.read(csvPath, kMostTableBytes);
    if (!csv.ok())
        return fail(context, csvPath + ": " + std::string(Text(TextId::FileCannotOpen, Language::English)) +
                                 " " + csv.error());
    if (csv.value().longer)
        return fail(context, csvPath + ": larger than 1 MiB, which no table of sixteen channels is; " +
                                 outPath + " not written");
    const std::vector<unsigned char>& table = csv.value().bytes;
    const CsvParse parsed = ParseCsv(std::string(table.begin(), table.end()));
    if (!parsed.ok())
        return fail(context, csvPath + ": " + DescribeCsvError(parsed.error()));

    AppState state = context.viewState(Language::English);
    state.image = base.value();
    const ImportResult result = ImportTable(state, parsed.value());
    if (!result.ok())
        return fail(context, csvPath + ": " + DescribeNote(result.error()));
    const std::vector<ImportNote>& notes = result.value();
    for (const ImportNote& note : notes)
        context.err << csvPath << ": " << DescribeNote(note) << '\n';
    if (args.has("--strict") && !notes.empty())
        return fail(context, csvPath + ": " + std::to_string(notes.size()) +
                                 (notes.size() == 1 ? " problem" : " problems") + " with --strict; " +
                                 outPath + " not written");
    const Result<void> saved = SaveImageFile(context.files, outPath, state.image);
    return saved.ok() ? kExitSuccess : fail(context, saved.error());
}

} // namespace

std::vector<Command> FileCommands() {
    // The help texts live as long as the program; the command table only points at them.
    static const std::string kShowDetails =
        "Prints the sixteen rows exactly as the channel table shows them (CH, Frequency, CTCSS/DCS,\n"
        "Channel Spacing, Tx Power; empty channels as empty cells), then the option controls' texts\n"
        "(SQL, TOT, Sq Delay, Offset(Wide), Offset(Narrow), Beep, Save, Busy Lock), with the decimal\n"
        "separator of your number format. With --csv each option is a row of its own: its caption in\n"
        "the first cell and its text in the second; import-csv reads this form back.\n"
        "With --channel-list (--csv is then implied) it prints the channel-list CSV that multi-radio\n"
        "programming tools exchange instead: the columns Location,Name,Frequency,Duplex,Offset,Tone,\n"
        "rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,\n"
        "DVCODE, one row per channel in use, numbers always with \".\", a CTCSS tone as TSQL, a DCS\n"
        "code as DTCS with polarity NN or RR, FM for wide and NFM for narrow spacing. That form holds\n"
        "no transmit power and no options; import-csv reads it back with high power.\n" +
        std::string(kOutputHelp);
    static const std::string kImportDetails =
        "Each cell goes through the rules of the window's grid: a frequency outside both bands is\n"
        "replaced by the nearest allowed one, a frequency in an empty channel creates it with no\n"
        "tone, wide spacing and high power, an empty frequency deletes the channel, a tone is\n"
        "stored as the tone editor stores it, spacing, power and option texts must be items of\n"
        "their lists. A cell equal to what the base shows leaves its bytes untouched, an empty\n"
        "tone, spacing, power or option cell keeps the base's value, and rows not given keep the\n"
        "base's channels and options. The header row (English or Chinese) selects the language.\n"
        "Every replacement and unknown text is reported on stderr with its row and column; rows\n"
        "count as a spreadsheet counts them, the header being row 1. Bytes the table cannot\n"
        "express (116 to 124, the write mark, undefined bits) come from the base. A table larger\n"
        "than 1 MiB is refused.\n"
        "\n"
        "A table whose header names the columns Location and Frequency is read as a channel list\n"
        "of multi-radio programming tools instead (columns in any order, unknown ones ignored, numbers\n"
        "with \".\"). Location is the channel 1 to 16; a row without one takes the lowest channel no\n"
        "row names and no earlier row took. Name is ignored (reported once). Frequency is in MHz and\n"
        "goes through the band rules above. Duplex must be empty. Tone: empty for none, Tone with\n"
        "rToneFreq or TSQL with cToneFreq for CTCSS, DTCS with DtcsCode and DtcsPolarity (N normal,\n"
        "R inverted). Mode: FM wide, NFM narrow (empty: FM). Power: a text starting with L is low,\n"
        "with H high; of watt values such as 5.0W the lowest is low when there are two or more\n"
        "distinct ones; otherwise high (another text is reported). A row with another duplex, tone\n"
        "mode or mode, a Location outside 1 to 16 or given by an earlier row, or no free channel left\n"
        "is skipped and reported.\n"
        "Channels no row programs keep the base's bytes, and so do the options.\n" +
        std::string(kOutputHelp);
    return {
        {{"show",
          "FILE.rdat",
          1,
          {kChineseOption,
           {"--csv", "", "", "RFC 4180 CSV with a header row instead of an aligned table"},
           {"--channel-list", "", "",
            "the channel-list CSV of multi-radio programming tools (implies --csv)"}},
          "Print the channel table and the radio options of a radio data file.",
          kShowDetails},
         runShow},
        {{"diff",
          "A.rdat B.rdat",
          2,
          {kChineseOption},
          "Show how two radio data files differ; exit 1 when they do, 0 when they are equal.",
          "Lists the table cells and option texts that differ, as the window shows them, then, in hex,\n"
          "every differing byte or bit the window does not show: bytes 116 to 124, the write mark\n"
          "(byte 127), the undefined bits of the flag and option bytes, and bytes of empty channels or\n"
          "out-of-range option values that show the same text. Equal files print nothing.\n"},
         runDiff},
        {{"import-csv",
          "TABLE.csv",
          1,
          {{"--base", "", "BASE.rdat", "the image the table is applied to (required)", true},
           {"--output", "-o", "OUT.rdat", "the file to write (required); replaced as one step, - for stdout",
            true},
           {"--strict", "", "", "any replacement or unknown text is an error and nothing is written"}},
          "Apply a table in a CSV form of show --csv (either form) to a radio data file.",
          kImportDetails},
         runImportCsv},
    };
}

} // namespace vorix::cli
