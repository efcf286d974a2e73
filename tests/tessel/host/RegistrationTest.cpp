// The module as a host meets it: through its one entry point, into the host's registrar.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/LinkedModule.h"
#include "strata/recording/Registrar.h"
#include "support/TestData.h"
#include "support/TestRecording.h"
#include "tessel/host/DocumentClass.h"
#include "tessel/host/KeyboardHook.h"
#include "tessel/host/ModuleExport.h"

namespace Tessel {
namespace {

// Everything the module registered, one line per class, menu item and command, in order.
std::string Describe(Strata::Registrar& registrar) {
  std::ostringstream out;
  for (const auto& c : registrar.Classes()) {
    out << "class\t" << c->DisplayName() << '\t'
        << (c->Kind() == ClassKind::kDocument ? "document" : "view") << '\n';
  }
  for (const auto& m : registrar.Commands().Menu()) {
    out << "menu\t" << m.info.key << '\t' << m.info.path << '\t' << m.info.text << '\t'
        << m.info.shortTitle << '\t' << m.info.shortTitle2 << '\t'
        << (m.info.id != 0 ? "identified" : "texts") << '\t'
        << (m.info.viewClass != nullptr ? m.info.viewClass->DisplayName()
                                        : (m.handler ? "acts" : "-"))
        << '\n';
  }
  for (const auto& c : registrar.Commands().Commands()) {
    out << "command\t" << c.info.category << '\t' << c.info.name << '\t' << c.info.description
        << '\t' << c.info.parameter << '\t' << (c.handler ? "acts" : "-") << '\n';
  }
  return out.str();
}

TEST(RegistrationTest, TheEntryPointRegistersClassesMenuAndCommandsInOrder) {
  auto registrar = MakeRef<Strata::Registrar>(MakeRef<Strata::CommandRegistry>());
  ASSERT_EQ(DllRegisterClassObjects(registrar.get()), 0);
  EXPECT_EQ(Describe(*registrar), Testing::DataText("registration/module.tsv"));
  // Identified items each have an identity of their own.
  std::set<std::uint32_t> ids;
  for (const auto& m : registrar->Commands().Menu()) {
    EXPECT_TRUE(m.info.id == 0 || ids.insert(m.info.id).second) << m.info.path;
  }
}

// The shared library the desktop loads exports the entry point and nothing else, and
// registering through it gives what registering the linked module gives.
TEST(RegistrationTest, TheSharedLibraryExportsOnlyTheEntryPoint) {
  const std::string module = TESSEL_MODULE_PATH;
  FILE* nm = ::popen(("nm -D --defined-only '" + module + "'").c_str(), "r");
  ASSERT_NE(nm, nullptr);
  std::vector<std::string> symbols;
  char line[512];
  while (std::fgets(line, sizeof line, nm) != nullptr) {
    std::string s(line);
    symbols.push_back(s.substr(s.rfind(' ') + 1, s.find_last_not_of("\n") - s.rfind(' ')));
  }
  ASSERT_EQ(::pclose(nm), 0);
  EXPECT_EQ(symbols, std::vector<std::string>{"DllRegisterClassObjects"});

  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  using Entry = Status (*)(IRegistrar*);
  auto entry = reinterpret_cast<Entry>(::dlsym(handle, "DllRegisterClassObjects"));
  ASSERT_NE(entry, nullptr);
  {
    auto registrar = MakeRef<Strata::Registrar>(MakeRef<Strata::CommandRegistry>());
    ASSERT_EQ(entry(registrar.get()), 0);
    EXPECT_EQ(Describe(*registrar), Testing::DataText("registration/module.tsv"));
  }
  // The library stays loaded: Qt keeps pointers into it for the rest of the process.
}

TEST(RegistrationTest, TheCurrentDocumentIsTheLastOneAnnouncedUntilItCloses) {
  IClassObject* cls = Cli::LinkedModule().DocumentClass();
  ASSERT_NE(cls, nullptr);
  Testing::TestChart first;
  Testing::TestChart second;
  auto identity = [](Testing::TestChart& t) { return static_cast<IChildDocument*>(&t.Doc()); };
  cls->DocumentCreated(identity(first));
  EXPECT_EQ(KeyboardHook::CurrentDocument(), static_cast<ITesselDoc*>(&first.Doc()));
  cls->DocumentCreated(identity(second));
  EXPECT_EQ(KeyboardHook::CurrentDocument(), static_cast<ITesselDoc*>(&second.Doc()));
  // The first one going away changes nothing; the current one going away leaves none.
  cls->DocumentClosing(identity(first));
  EXPECT_EQ(KeyboardHook::CurrentDocument(), static_cast<ITesselDoc*>(&second.Doc()));
  // The named command acts on the current document, through its Table View.
  Testing::CountingView table(ViewKind::kTable);
  second.Doc().AttachView(&table);
  EXPECT_TRUE(Cli::LinkedModule().Commands().Run("MarkDoseInChartView"));
  EXPECT_EQ(table.marks, 1);
  second.Doc().DetachView(&table);
  cls->DocumentClosing(identity(second));
  EXPECT_EQ(KeyboardHook::CurrentDocument(), nullptr);
  EXPECT_TRUE(Cli::LinkedModule().Commands().Run("MarkDoseInChartView"));
}

}  // namespace
}  // namespace Tessel
