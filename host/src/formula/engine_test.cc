#include "engine.h"

#include <gtest/gtest.h>

#include <numbers>
#include <optional>

#include "base/render.h"

namespace host::formula {
namespace {

using model::DateTime;
using model::Item;

constexpr int kTokyo = 540;

DateTime Dt(int y, unsigned mo, unsigned d, int h, int mi, int s, int zone = kTokyo) {
  DateTime v;
  v.date = model::DaysFromCivil(y, mo, d);
  v.time = ((h * 60 + mi) * 60 + s) * 100;
  v.zoneMinutes = static_cast<std::int16_t>(zone);
  return v;
}
DateTime Day(int y, unsigned mo, unsigned d) {
  DateTime v = Dt(y, mo, d, 0, 0, 0);
  v.time = DateTime::kNoTime;
  return v;
}
DateTime Clock(int h, int mi, int s) {
  DateTime v = Dt(1970, 1, 1, h, mi, s);
  v.date = DateTime::kNoDate;
  return v;
}

model::Value T(std::vector<std::string> values) { return model::Text{std::move(values)}; }
model::Value N(std::vector<double> values) { return model::Numbers{std::move(values), {}}; }
model::Value D(std::vector<DateTime> values) { return model::DateTimes{std::move(values), {}}; }

// Rich text of text objects, with an attachment object between each two.
model::Value RichText(std::vector<std::string> texts) {
  model::RichText out;
  for (std::string& text : texts) {
    model::RTElement element;
    element.text = std::move(text);
    if (!out.elements.empty()) {
      model::RTElement attachment;
      attachment.type = model::RTType::Attachment;
      attachment.text = "not text";
      out.elements.push_back(attachment);
    }
    out.elements.push_back(std::move(element));
  }
  return out;
}

Item F(std::string name, model::Value value) { return Item{std::move(name), std::move(value), model::kSummary}; }

const DateTime kNow = Dt(2026, 12, 10, 8, 45, 52);
const DateTime kCreated = Dt(2026, 7, 20, 14, 32, 21, -240);
const DateTime kModified = Dt(2026, 7, 21, 9, 0, 0, -240);

// What a case expects: a value, or a failure with its status and a part of its detail.
struct Outcome {
  std::optional<model::Value> value;
  STATUS status = kNoError;
  std::string detail;
};
Outcome Is(model::Value value) { return {std::move(value), kNoError, ""}; }
Outcome Fails(STATUS status, std::string detail) { return {std::nullopt, status, std::move(detail)}; }

std::string Repeated(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// A change to the document or the context a case needs beyond its fields.
using Setup = void (*)(model::Note&, Context&);
void AsResponse(model::Note& note, Context&) { note.parentUnid = "0123456789ABCDEF0123456789ABCDEF"; }
void AsCategoryRow(model::Note&, Context& context) {
  context.isCategory = true;
  context.docNumber = "2.1";
}
void WithoutDocument(model::Note&, Context& context) { context.document = nullptr; }

struct Case {
  std::string formula;
  std::vector<Item> fields;
  Outcome expected;
  Setup setup = nullptr;
};

std::string Show(const model::Value& value) {
  const model::International intl;
  std::string out;
  if (const auto* t = std::get_if<model::Text>(&value))
    for (const auto& s : t->values) out += "\"" + s + "\" ";
  if (const auto* n = std::get_if<model::Numbers>(&value))
    for (double x : n->values) out += PlainNumber(x, intl) + " ";
  if (const auto* d = std::get_if<model::DateTimes>(&value))
    for (const auto& x : d->values) out += "[" + PlainDateTime(x, intl) + " " + std::to_string(x.zoneMinutes) + "] ";
  return out;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // Precedence: ':' binds tighter than unary minus; '&' and '|' share a level, left to right.
      {"-1:2", {}, Is(N({-1, -2}))},
      {"1:-2", {}, Is(N({1, -2}))},
      {"2+3*4", {}, Is(N({14}))},
      {"(2+3)*4", {}, Is(N({20}))},
      {"10-4-3", {}, Is(N({3}))},
      {"1:2 + 10", {}, Is(N({11, 12}))},
      {"1 | 0 & 0", {}, Is(N({0}))},
      {"0 & 1 | 1", {}, Is(N({1}))},
      {"!0 & 0", {}, Is(N({0}))},
      {"!1 = 2", {}, Is(N({1}))},
      {"1 + 2 = 3", {}, Is(N({1}))},
      {"\"a\" + \"b\" : \"c\"", {}, Is(T({"ab", "ac"}))},

      // Lists: pairwise with the shorter padded by its last element; permuted operators.
      {"(1:2:3) + (10:20)", {}, Is(N({11, 22, 23}))},
      {"(1:2) *+ (10:20)", {}, Is(N({11, 21, 12, 22}))},
      {"(10:20) *- (1:2)", {}, Is(N({9, 8, 19, 18}))},
      {"(1:2) ** (3:4)", {}, Is(N({3, 4, 6, 8}))},
      {"(\"a\":\"b\") = (\"b\":\"a\")", {}, Is(N({0}))},
      {"(\"a\":\"b\") *= (\"b\":\"a\")", {}, Is(N({1}))},
      {"(\"a\":\"b\") != \"a\"", {}, Is(N({1}))},
      {"(1:2) < (0:3)", {}, Is(N({1}))},
      {"(1:2) *< (0:1)", {}, Is(N({0}))},
      {"(1:2) *>= (2:9)", {}, Is(N({1}))},
      {"\"ABC\" = \"abc\"", {}, Is(N({1}))},
      {"\"a\" < \"B\"", {}, Is(N({1}))},
      {"1 <> 2", {}, Is(N({1}))},
      {"1 >< 1", {}, Is(N({0}))},
      {"1 =! 1", {}, Is(N({0}))},

      // Fields: a missing one is "", names are case-insensitive.
      {"missing", {}, Is(T({""}))},
      {"missing = \"\"", {}, Is(N({1}))},
      {"@Elements(missing)", {}, Is(N({0}))},
      {"subject", {F("Subject", T({"Hello"}))}, Is(T({"Hello"}))},
      {"Amount * 2", {F("Amount", N({1.5, 2}))}, Is(N({3, 4}))},
      {"Body", {F("Body", RichText({"one", "", "two"}))}, Is(T({"onetwo"}))},

      // Subscripts against date constants.
      {"x[2]", {F("x", T({"a", "b", "c"}))}, Is(T({"b"}))},
      {"x [2]", {F("x", T({"a", "b", "c"}))}, Is(T({"b"}))},
      {"(1:2:3)[1+1]", {}, Is(N({2}))},
      {"@Explode(\"a b c\")[3]", {}, Is(T({"c"}))},
      {"[2026/12/10]", {}, Is(D({Day(2026, 12, 10)}))},
      {"[2026/12/10 17:30:00]", {}, Is(D({Dt(2026, 12, 10, 17, 30, 0)}))},
      {"d : [2026/12/10]", {F("d", D({Day(2026, 1, 2)}))}, Is(D({Day(2026, 1, 2), Day(2026, 12, 10)}))},
      {"d[1] = [2026/01/02]", {F("d", D({Day(2026, 1, 2)}))}, Is(N({1}))},
      {"[12/10/26]", {}, Is(D({Day(2026, 12, 10)}))},
      {"[17:30]", {}, Is(D({Clock(17, 30, 0)}))},
      {"[5:30 PM]", {}, Is(D({Clock(17, 30, 0)}))},
      {"[Today]", {}, Is(D({Day(2026, 12, 10)}))},
      {"[Yesterday] : [tomorrow]", {}, Is(D({Day(2026, 12, 9), Day(2026, 12, 11)}))},

      // Text constants and their escapes.
      {R"("say \"hi\"")", {}, Is(T({"say \"hi\""}))},
      {R"({a\}b})", {}, Is(T({"a}b"}))},
      {R"("back\\slash")", {}, Is(T({"back\\slash"}))},
      {R"({he said "x"})", {}, Is(T({"he said \"x\""}))},
      {"1.5E-3 + .5", {}, Is(N({0.5015}))},

      // Statements.
      {"", {}, Is(T({""}))},
      {"x := 2; x * 3", {}, Is(N({6}))},
      {"a := 1;; a", {}, Is(N({1}))},
      {"REM \"comment\"; REM {another}; 5", {}, Is(N({5}))},
      {"SELECT Form = \"Memo\"; 7", {F("Form", T({"Memo"}))}, Is(N({1}))},
      {"FIELD Subject := \"New\"; Subject", {F("Subject", T({"Old"}))}, Is(T({"New"}))},
      {"DEFAULT Subject := \"D\"; Subject", {F("Subject", T({"Old"}))}, Is(T({"Old"}))},
      {"DEFAULT Subject := \"D\"; Subject", {}, Is(T({"D"}))},
      {"x := x + 1; x", {F("x", N({1}))}, Is(N({2}))},

      // Date/time arithmetic and comparison by instant.
      {"[2026/12/10] - [2026/12/09]", {}, Is(N({86400}))},
      {"[2026/12/10 08:00:00] + 90", {}, Is(D({Dt(2026, 12, 10, 8, 1, 30)}))},
      {"[2026/12/10 00:30:00] - 3600", {}, Is(D({Dt(2026, 12, 9, 23, 30, 0)}))},
      {"tokyo = utc", {F("tokyo", D({Dt(2026, 12, 10, 9, 0, 0)})), F("utc", D({Dt(2026, 12, 10, 0, 0, 0, 0)}))}, Is(N({1}))},
      {"tokyo - utc", {F("tokyo", D({Dt(2026, 12, 10, 9, 0, 0)})), F("utc", D({Dt(2026, 12, 10, 1, 0, 0, 0)}))}, Is(N({-3600}))},
      {"d > [2026/12/10 13:00:00]", {F("d", D({Dt(2026, 12, 10, 0, 0, 0, -300)}))}, Is(N({1}))},

      // Logic.
      {"@If(1 = 2; \"a\"; 2 = 2; \"b\"; \"c\")", {}, Is(T({"b"}))},
      {"@If(0; 1; 2)", {}, Is(N({2}))},
      {"@True + @Yes + @Success", {}, Is(N({3}))},
      {"@False + @No", {}, Is(N({0}))},
      {"@IsError(@Error) : @IsError(1)", {}, Is(N({1, 0}))},
      {"x := @Error; @IsError(x)", {}, Is(N({1}))},
      {"@IsError(@Left(@Error; 1))", {}, Is(N({1}))},
      {"@Do(a := 1; a + 1)", {}, Is(N({2}))},
      {"@Return(\"r\"); \"no\"", {}, Is(T({"r"}))},
      {"@Select(2; \"a\"; \"b\"; \"c\") : @Select(9; \"a\"; \"b\"; \"c\")", {}, Is(T({"b", "c"}))},
      {"@Transform(1:2:3; \"n\"; @If(n = 2; @Nothing; n * 10))", {}, Is(N({10, 30}))},
      {"@Elements(@Nothing)", {}, Is(N({0}))},
      {"n := 0; @While(n < 4; n := n + 1); n", {}, Is(N({4}))},
      {"@For(i := 1; i <= 3; i := i + 1; s := s + @Text(i)); s", {}, Is(T({"123"}))},

      // Text.
      {"@Left(\"Hello\"; 2) : @Left(\"a-b-c\"; \"-\")", {}, Is(T({"He", "a"}))},
      {"@Right(\"Hello\"; 3) : @Right(\"a-b-c\"; \"-\")", {}, Is(T({"llo", "b-c"}))},
      {"@LeftBack(\"Hello\"; 1) : @LeftBack(\"a-b-c\"; \"-\")", {}, Is(T({"Hell", "a-b"}))},
      {"@RightBack(\"Hello\"; 1) : @RightBack(\"a-b-c\"; \"-\")", {}, Is(T({"ello", "c"}))},
      {"@Left(\"日本語テキスト\"; 3) : @Right(\"x\"; 5) : @Left(\"x\"; \"?\")", {}, Is(T({"日本語", "x", ""}))},
      {"@Middle(\"North Carolina\"; 4; 3) : @Middle(\"North Carolina\"; \" \"; 3)", {}, Is(T({"h C", "Car"}))},
      {"@Middle(\"a[b]c\"; \"[\"; \"]\") : @Middle(\"abcdef\"; 4; -2)", {}, Is(T({"b", "cd"}))},
      {"@MiddleBack(\"abcdef\"; 2; 2) : @MiddleBack(\"a.b.c\"; \".\"; 1)", {}, Is(T({"ef", "c"}))},
      {"@Trim(\"  a   b  \")", {}, Is(T({"a b"}))},
      {"@Trim(\"a\" : \"  \" : \" b \")", {}, Is(T({"a", "b"}))},
      {"@UpperCase(\"abC\") : @LowerCase(\"AbC\") : @ProperCase(\"hello wORLD\")", {}, Is(T({"ABC", "abc", "Hello World"}))},
      {"@Length(\"abc\" : \"日本\" : \"\")", {}, Is(N({3, 2, 0}))},
      {"@Begins(\"Hello\"; \"He\") : @Ends(\"Hello\"; \"lo\") : @Contains(\"x\" : \"Hello\"; \"ell\")", {}, Is(N({1, 1, 1}))},
      {"@Contains(\"Hello\"; \"ELL\") : @Begins(\"Hello\"; \"lo\")", {}, Is(N({0, 0}))},
      {"@Like(\"abc\"; \"a_c\") : @Like(\"abc\"; \"a%\") : @Like(\"abc\"; \"b%\") : @Like(\"a%c\"; \"a\\\\%c\"; \"\\\\\")", {},
       Is(N({1, 1, 0, 1}))},
      {"@Replace(\"a\" : \"b\" : \"c\"; \"b\" : \"c\"; \"B\")", {}, Is(T({"a", "B", ""}))},
      // Each pair applies to the result of the pairs before it.
      {"@ReplaceSubstring(\"a-b-c\"; \"-\"; \"+\") : @ReplaceSubstring(\"abc\"; \"a\" : \"b\"; \"b\" : \"x\")", {},
       Is(T({"a+b+c", "xxc"}))},
      {"@ReplaceSubstring(\"first\"; \"first\" : \"second\"; \"second\" : \"third\")", {}, Is(T({"third"}))},
      {"@Implode(\"a\" : \"b\") : @Implode(\"a\" : \"b\"; \",\")", {}, Is(T({"a b", "a,b"}))},
      {"@Explode(\"a b,c;d\")", {}, Is(T({"a", "b", "c", "d"}))},
      {"@Explode(\"a,,b\"; \",\"; 1)", {}, Is(T({"a", "", "b"}))},
      {"@Explode(\"x\" + @NewLine + \"y\"; \",\")", {}, Is(T({"x", "y"}))},
      {"@Word(\"a,b,c\"; \",\"; 2) : @Word(\"a,b,c\"; \",\"; -1) : @Word(\"a,b\"; \",\"; 5)", {}, Is(T({"b", "c", ""}))},
      {"@NewLine : @Char(65) : @Char(26085)", {}, Is(T({"\n", "A", "日"}))},
      {"@Repeat(\"ab\"; 3) : @Repeat(\"ab\"; 3; 5)", {}, Is(T({"ababab", "ababa"}))},
      {"@Text(1234.5) : @Text(1234.5; \",F2\") : @Text(0.25; \"%\") : @Text(\"x\")", {},
       Is(T({"1234.5", "1,234.50", "25%", "x"}))},
      {"@Text([2026/12/10 08:45:52]) : @Text(@Now; \"D0S0\") : @Text(@Now; \"T1S1\")", {},
       Is(T({"2026/12/10 08:45:52", "2026/12/10", "08:45"}))},
      {"@Text(1 : 2.5)", {}, Is(T({"1", "2.5"}))},
      {"@TextToNumber(\" 12.5 \") + @TextToNumber(\"-1E2\")", {}, Is(N({-87.5}))},
      {"@IsError(@TextToNumber(\"12x\"))", {}, Is(N({1}))},
      {"@TextToTime(\"2026/12/10 17:30\")", {}, Is(D({Dt(2026, 12, 10, 17, 30, 0)}))},
      {"@TextToTime(\"nonsense\")", {}, Is(T({""}))},
      {"@Compare(\"a\" : \"c\" : \"a\"; \"b\" : \"b\" : \"A\")", {}, Is(N({-1, 1, -1}))},
      {"@Compare(\"A\"; \"a\"; [CASEINSENSITIVE])", {}, Is(N({0}))},

      // Lists.
      {"@Elements(\"a\" : \"b\") : @Count(missing) : @Count(1 : 2 : 3)", {}, Is(N({2, 1, 3}))},
      {"@Subset(1:2:3; 2) : @Subset(1:2:3; -2) : @Subset(1:2; 5)", {}, Is(N({1, 2, 2, 3, 1, 2}))},
      {"@Member(\"b\"; \"a\" : \"b\") : @Member(\"B\"; \"a\" : \"b\")", {}, Is(N({2, 0}))},
      {"@IsMember(\"a\" : \"b\"; \"a\" : \"b\" : \"c\") : @IsMember(\"a\" : \"z\"; \"a\" : \"b\")", {}, Is(N({1, 0}))},
      {"@IsNotMember(\"z\"; \"a\" : \"b\") : @IsNotMember(\"a\" : \"z\"; \"a\" : \"b\")", {}, Is(N({1, 0}))},
      {"@Unique(\"a\" : \"b\" : \"a\" : \"A\")", {}, Is(T({"a", "b", "A"}))},
      {"@Sort(\"b\" : \"C\" : \"a\")", {}, Is(T({"a", "b", "C"}))},
      {"@Sort(3 : 1 : 2; [DESCENDING])", {}, Is(N({3, 2, 1}))},
      {"@Keywords(\"Harvard, Yale, Stanford\"; \"Yale\" : \"Brown\" : \"Harvard\")", {}, Is(T({"Yale", "Harvard"}))},

      // Numbers.
      {"@Sum(1:2; 3) : @Max(1:5:3) : @Min(4:2:8)", {}, Is(N({6, 5, 2}))},
      {"@Max(1:5; 3) : @Min(1:5; 3)", {}, Is(N({3, 5, 1, 3}))},
      {"@Abs(-2:3) : @Sign((-5):0:2) : @Sign(-5:0:2)", {}, Is(N({2, 3, -1, 0, 1, -1, 0, -1}))},
      {"@Round(2.5) : @Round(-2.5) : @Round(1234; 100) : @Integer(-2.7)", {}, Is(N({3, -3, 1200, -2}))},
      {"@Modulo(7; 3) : @Modulo(-7; 3) : @Sqrt(16) : @Power(2; 10)", {}, Is(N({1, -1, 4, 1024}))},
      {"@Pi", {}, Is(N({std::numbers::pi}))},

      // Date/times.
      {"@Now", {}, Is(D({kNow}))},
      {"@Today : @Yesterday : @Tomorrow", {}, Is(D({Day(2026, 12, 10), Day(2026, 12, 9), Day(2026, 12, 11)}))},
      {"@Created : @Modified : @Accessed", {}, Is(D({kCreated, kModified, kModified}))},
      {"@Date([2026/12/10 17:30:00]) : @Date(2026; 13; 1) : @Date(2026; 12; 10; 1; 2; 3)", {},
       Is(D({Day(2026, 12, 10), Day(2027, 1, 1), Day(2026, 12, 10)}))},
      {"@Time([2026/12/10 17:30:00]) : @Time(17; 30; 5) : @Time(2026; 12; 10; 17; 30; 0)", {},
       Is(D({Clock(17, 30, 0), Clock(17, 30, 5), Dt(2026, 12, 10, 17, 30, 0)}))},
      {"d := [2026/12/10 17:30:05]; @Year(d) : @Month(d) : @Day(d) : @Hour(d) : @Minute(d) : @Second(d) : @Weekday(d)", {},
       Is(N({2026, 12, 10, 17, 30, 5, 5}))},
      {"@Year([17:30]) : @Hour([2026/12/10])", {}, Is(N({-1, -1}))},
      {"@Adjust([2026/01/31]; 0; 1; 0; 0; 0; 0)", {}, Is(D({Day(2026, 3, 3)}))},
      {"@Adjust([2026/12/31 23:00:00]; 0; 0; 0; 2; 0; 0; [InLocalTime])", {}, Is(D({Dt(2027, 1, 1, 1, 0, 0)}))},

      // The document.
      {"@All", {}, Is(N({1}))},
      {"@DocumentUniqueID", {}, Is(T({"12DE8A6B90A871D085258E3A0065D6DF"}))},
      {"@NoteID", {}, Is(T({"NT000008FA"}))},
      {"@IsResponseDoc", {}, Is(N({0}))},
      {"@IsResponseDoc", {}, Is(N({1})), AsResponse},
      {"@Author", {F("From", T({"CN=Jesse Gallagher/O=IKSG"})), F("$UpdatedBy", T({"CN=Other/O=IKSG"}))},
       Is(T({"Jesse Gallagher/IKSG"}))},
      {"@Author", {F("$UpdatedBy", T({"CN=A One/O=Org", "CN=B Two/O=Org"}))}, Is(T({"A One/Org", "B Two/Org"}))},
      {"@Attachments : @AttachmentLengths", {}, Is(N({2, 5, 3}))},
      {"@AttachmentNames", {}, Is(T({"report.txt", "data.csv"}))},
      {"@Attachments : @AttachmentLengths", {}, Is(N({0, 0})), WithoutDocument},
      {"@IsAvailable(Subject) : @IsAvailable(missing) : @IsUnavailable(missing)", {F("Subject", T({""}))}, Is(N({1, 0, 1}))},
      {"@IsNumber(1) : @IsText(\"a\") : @IsTime([2026/12/10]) : @IsNumber(missing)", {}, Is(N({1, 1, 1, 0}))},
      {"n := \"CN=Jesse Gallagher/OU=Dev/O=IKSG/C=US\"; @Name([CN]; n) : @Name([ABBREVIATE]; n) : @Name([O]; n) : "
       "@Name([OU1]; n) : @Name([OU2]; n) : @Name([C]; n)",
       {},
       Is(T({"Jesse Gallagher", "Jesse Gallagher/Dev/IKSG/US", "IKSG", "Dev", "", "US"}))},
      {"@Name([CANONICALIZE]; \"Jesse Gallagher/Dev/IKSG/US\") : @Name([CN]; \"Flat Name\")", {},
       Is(T({"CN=Jesse Gallagher/OU=Dev/O=IKSG/C=US", "Flat Name"}))},
      {"@Text(@IsCategory) : @DocNumber", {}, Is(T({"0", ""}))},
      {"@Text(@IsCategory) : @IsCategory(\"*\") : @DocNumber : @DocNumber(\"-\")", {}, Is(T({"1", "*", "2.1", "2-1"})),
       AsCategoryRow},
      {"Subject", {F("Subject", T({"x"}))}, Is(T({""})), WithoutDocument},

      // Compile-time errors name the problem and where it is.
      {"1 +", {}, Fails(kErrFormulaSyntax, "a value expected, found the end of the formula at position 4")},
      {"(1", {}, Fails(kErrFormulaSyntax, "')' expected")},
      {"1 2", {}, Fails(kErrFormulaSyntax, "';' expected, found a number at position 3")},
      {"\"abc", {}, Fails(kErrFormulaSyntax, "closing '\"' at position 1")},
      {"1 ]", {}, Fails(kErrFormulaSyntax, "unexpected ']' at position 3")},
      {"[13/45/26]", {}, Fails(kErrFormulaSyntax, "invalid date/time constant [13/45/26] at position 1")},
      {"x := ; 1", {}, Fails(kErrFormulaSyntax, "position 6")},
      {"@Foo(1)", {}, Fails(kErrFormulaUnknownFunction, "Unknown @function @Foo at position 1")},
      {"1 + @DbLookup(\"\"; \"\")", {}, Fails(kErrFormulaUnsupported, "@DbLookup cannot run here at position 5")},
      {"@Command([FileSave])", {}, Fails(kErrFormulaUnsupported, "@Command")},
      {"@DDEInitiate(\"a\"; \"b\")", {}, Fails(kErrFormulaUnsupported, "@DDEInitiate")},
      {"ENVIRONMENT x := 1", {}, Fails(kErrFormulaUnsupported, "ENVIRONMENT")},
      {"@Left(\"a\")", {}, Fails(kErrFormulaArgCount, "@Left: 2 expected, 1 given at position 1")},
      {"@If(1; 2)", {}, Fails(kErrFormulaArgCount, "@If: an odd number expected")},
      {"@Date(1; 2)", {}, Fails(kErrFormulaArgCount, "@Date: 1, 3 or 6 expected")},
      {"@Transform(1; x; 1)", {}, Fails(kErrFormulaSyntax, "variable name")},
      {"@IsAvailable(\"x\")", {}, Fails(kErrFormulaSyntax, "a field name expected")},

      // A run-time error is a value that travels until @IsError looks at it or it is the result.
      {"@IsError(1/0)", {}, Is(N({1}))},
      {"x := 1/0; y := x + 1; @IsError(y) : @IsError(2)", {}, Is(N({1, 0}))},
      {"@If(@IsError((1:2)[3]); \"caught\"; \"not\")", {}, Is(T({"caught"}))},
      {"@IsError(\"a\" + 1)", {}, Is(N({1}))},
      {"x := 1/0; 5", {}, Is(N({5}))},
      // The later units first.
      {"@Adjust([06/30/95]; 2; 2; 2; 0; 0; 0)", {}, Is(D({Day(1997, 9, 2)}))},
      {"@Adjust([2/2/2006]; 0; 2; 28; 0; 0; 0)", {}, Is(D({Day(2006, 5, 2)}))},
      // Letter case beyond ASCII: full-width Latin, Greek, Cyrillic.
      {"@UpperCase(\"ａｂｃ αβγ где é\") : @LowerCase(\"ＡＢＣ ΑΒΓ ГДЕ É\")", {},
       Is(T({"ＡＢＣ ΑΒΓ ГДЕ É", "ａｂｃ αβγ где é"}))},
      {"@ProperCase(\"ｎｏｔｅｓ ДОМИНО o'neil\")", {}, Is(T({"Ｎｏｔｅｓ Домино O'neil"}))},
      {"(\"ａｂｃ\" = \"ＡＢＣ\") : (\"Ωμέγα\" = \"ΩΜΈΓΑ\") : (\"ａ\" < \"Ｂ\")", {}, Is(N({1, 1, 1}))},
      {"@Sort(\"ｂ\" : \"Ａ\" : \"ａ\" : \"Ｂ\")", {}, Is(T({"ａ", "Ａ", "ｂ", "Ｂ"}))},
      // Run-time errors.
      {"\"a\" + 1", {}, Fails(kErrFormulaDataType, "text and number at position 5")},
      {"\"日本\" + 1", {}, Fails(kErrFormulaDataType, "at position 6")},  // positions count characters
      {"-\"a\"", {}, Fails(kErrFormulaDataType, "number expected, text found")},
      {"@If(\"x\"; 1; 2)", {}, Fails(kErrFormulaDataType, "number expected")},
      {"@Sum(\"a\")", {}, Fails(kErrFormulaDataType, "position 6")},
      {"Amount > 100", {}, Fails(kErrFormulaDataType, "text and number")},
      {"\"a\" : 1", {}, Fails(kErrFormulaDataType, "text and number")},
      {"1/0", {}, Fails(kErrFormulaArgument, "Division by zero at position 2")},
      {"(1:2)[3]", {}, Fails(kErrFormulaArgument, "List subscript 3 out of range 1 to 2")},
      {"@Subset(1:2; 0)", {}, Fails(kErrFormulaArgument, "@Subset")},
      {"@Error", {}, Fails(kErrFormulaUserError, "@Error")},
      {"@TextToNumber(\"x\")", {}, Fails(kErrFormulaUserError, "\"x\" is not a number")},
      {"@While(1; 1)", {}, Fails(kErrFormulaLoopLimit, "@While ran more than")},
      {"@Name([XYZ]; \"a\")", {}, Fails(kErrFormulaArgument, "unknown action")},
      {"@Repeat(\"abcdefgh\"; 10000000)", {}, Fails(kErrFormulaArgument, "too long")},
      {"x := \"ab\"; @For(i := 1; i < 40; i := i + 1; x := x + x)", {}, Fails(kErrFormulaArgument, "text grows too long")},
      {"x := 1; @For(i := 1; i < 40; i := i + 1; x := x : x)", {}, Fails(kErrFormulaArgument, "list grows beyond")},
      {"[2026/12/10] + 1e300", {}, Fails(kErrFormulaArgument, "out of range")},
      {"@Adjust([2026/12/10]; 999999; 0; 0; 0; 0; 0)", {}, Fails(kErrFormulaArgument, "out of range")},
      {"(1:2)[1e999 - 1e999]", {}, Fails(kErrFormulaArgument, "List subscript ERROR out of range")},
      {std::string(2000, '(') + "1" + std::string(2000, ')'), {}, Fails(kErrFormulaSyntax, "nested too deeply")},
      {"1" + Repeated("+1", 10000), {}, Fails(kErrFormulaSyntax, "nested too deeply")},
      {"1" + Repeated("+1", 300), {}, Is(N({301}))},
      {std::string(5000, '-') + "1", {}, Fails(kErrFormulaSyntax, "nested too deeply")},
  };
  return cases;
}

model::Note Document(const std::vector<Item>& fields) {
  model::Note note;
  note.noteId = 0x8FA;
  note.unid = "12DE8A6B90A871D085258E3A0065D6DF";
  note.created = kCreated;
  note.modified = kModified;
  note.items = fields;
  note.attachments = {{"report.txt", "report.txt", "hello", true, false}, {"ATT2", "data.csv", "1,2", true, true}};
  return note;
}

TEST(Formula, Table) {
  ASSERT_GT(Cases().size(), 100u);
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.formula);
    model::Note note = Document(c.fields);
    Context context;
    context.document = &note;
    context.now = kNow;
    if (c.setup) c.setup(note, context);
    try {
      const model::Value value = Evaluate(*Compile(c.formula), context);
      ASSERT_TRUE(c.expected.value.has_value()) << "expected a failure, got " << Show(value);
      EXPECT_EQ(value, *c.expected.value) << "got " << Show(value) << " expected " << Show(*c.expected.value);
    } catch (const StatusError& e) {
      ASSERT_FALSE(c.expected.value.has_value()) << "unexpected failure " << e.detail;
      EXPECT_EQ(e.status, c.expected.status) << e.detail;
      EXPECT_NE(e.detail.find(c.expected.detail), std::string::npos) << e.detail;
    }
  }
}

TEST(Formula, CompiledOnceEvaluatedOnManyDocuments) {
  const auto program = Compile("FIELD Total := Amount * 2; @If(Total > 5; \"big\"; \"small\") + \" \" + @Text(Total)");
  model::Note small = Document({F("Amount", N({2}))});
  model::Note big = Document({F("Amount", N({4}))});
  Context context;
  context.now = kNow;
  for (int round = 0; round < 2; ++round) {
    context.document = &small;
    EXPECT_EQ(Evaluate(*program, context), T({"small 4"}));
    context.document = &big;
    EXPECT_EQ(Evaluate(*program, context), T({"big 8"}));
  }
  EXPECT_EQ(small.FindItem("Total"), nullptr);  // FIELD changes only the evaluation's view
}

TEST(Formula, TemporaryVariablesStartUnsetOnEveryEvaluation) {
  const auto program = Compile("n := n + \"x\"; n");
  model::Note note = Document({});
  Context context;
  context.document = &note;
  context.now = kNow;
  EXPECT_EQ(Evaluate(*program, context), T({"x"}));
  EXPECT_EQ(Evaluate(*program, context), T({"x"}));
}

TEST(Formula, InternationalSettingsOfTheContext) {
  model::International us;
  us.dateOrder = model::International::DateOrder::MDY;
  us.decimalSymbol = ",";
  Context context;
  context.now = kNow;
  context.international = &us;
  EXPECT_EQ(Evaluate(*Compile("@Text([2026/12/10]) : @Text(1.5)"), context), T({"12/10/2026", "1,5"}));
  EXPECT_EQ(Evaluate(*Compile("@TextToTime(\"12/10/2026\") = [2026/12/10]"), context), N({1}));
}

TEST(Formula, SelectionTruth) {
  struct Row {
    model::Value value;
    bool selected;
  } rows[] = {
      {N({1}), true}, {N({0}), false}, {N({0, 2}), true}, {N({}), false}, {T({"1"}), false}, {D({kNow}), false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsTrue(r.value), r.selected) << Show(r.value);
}

}  // namespace
}  // namespace host::formula
