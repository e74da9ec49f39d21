/*
 * search_engine_test.cpp --
 *
 *	The tree search engine on groups built through the model: wide and
 *	deep trees on a small stack, references that lead in a circle or to
 *	themselves, and the two membership searches of pdb:info and
 *	pdb:delete. (Targets in several databases and hidden categories
 *	reached through references are tested with pdb:find.)
 */

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "query/glob_pattern.h"
#include "query/result_list.h"
#include "query/search_engine.h"
#include "support/small_stack.h"
#include "tests/model/model_fixture.h"

namespace {

using Strings = std::vector<std::string>;

/* searchGroup's answer, sorted. */
Strings Search(Pdb_Group *group, Strings starts,
               Pdb_FindKind kind = Pdb_FindKind::PART, bool recurse = true,
               const char *pathPattern = nullptr) {
  Pdb_SearchRequest request;
  request.starts = std::move(starts);
  request.kind = kind;
  request.recurse = recurse;
  Pdb_GlobPattern pattern(pathPattern != nullptr ? pathPattern : "*");
  request.pathPattern = pathPattern != nullptr ? &pattern : nullptr;
  Pdb_ResultList result;
  Pdb_SearchEngine(group).searchGroup(request, result);
  Strings out;
  for (const char *s : result.sortedStrings()) {
    out.emplace_back(s);
  }
  return out;
}

Strings Sorted(const Pdb_StringSet &set) {
  Strings out;
  set.forEach([&](const char *s) { out.emplace_back(s); });
  std::sort(out.begin(), out.end());
  return out;
}

Strings Holding(Pdb_Group *group, const Pdb_Database *db,
                const Pdb_Part *part) {
  Pdb_StringSet set;
  Pdb_SearchEngine(group).categoriesHoldingPart(db, part, set);
  return Sorted(set);
}

Strings Appearances(Pdb_Group *group, const Pdb_Database *db,
                    const char *path) {
  Pdb_StringSet set;
  Pdb_SearchEngine(group).appearancesOfCategory(db, path, set);
  return Sorted(set);
}

} // namespace

TEST(SearchEngine, AHundredThousandSiblingsAreSearchedOnASmallStack) {
  onSmallStack([] {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    const int wide = 100000;
    Pdb_Part *last = nullptr;
    for (int i = 0; i < wide; i++) {
      std::string path = "/w/c" + std::to_string(i) + "/";
      last = g.part(db, path.c_str(), ("p" + std::to_string(i)).c_str());
    }
    EXPECT_EQ(Search(g.group, {"/"}).size(), std::size_t(wide));
    EXPECT_EQ(Search(g.group, {"/w/"}, Pdb_FindKind::CATEGORY).size(),
              std::size_t(wide + 1));
    Strings listed = Search(g.group, {"/w/"}, Pdb_FindKind::CATEGORY, false);
    ASSERT_EQ(listed.size(), std::size_t(wide));
    EXPECT_EQ(listed.front(), "/c0/");
    EXPECT_EQ(Search(g.group, {"/"}, Pdb_FindKind::CATEGORY, true, "*99999/"),
              Strings{"/w/c99999/"});
    EXPECT_EQ(Holding(g.group, db, last), Strings{"/w/c99999/"});
  });
}

TEST(SearchEngine, TenThousandLevelsAreSearchedOnASmallStack) {
  onSmallStack([] {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    std::string bottom = DeepPath(10000);
    Pdb_Part *deep = g.part(db, bottom.c_str(), "deep");
    g.catRef(db, "/", db, bottom.c_str());
    EXPECT_EQ(Search(g.group, {"/"}), Strings{"deep"});
    EXPECT_EQ(
        Search(g.group, {"/"}, Pdb_FindKind::CATEGORY, true, bottom.c_str()),
        Strings{bottom});
    /* The reference under the root stands for the bottom as /d/. */
    EXPECT_EQ(Holding(g.group, db, deep), (Strings{"/d/", bottom}));
    EXPECT_EQ(Appearances(g.group, db, bottom.c_str()),
              (Strings{"/d/", bottom}));
  });
}

TEST(SearchEngine, ReferencesInACircleOrToThemselvesEndTheWalks) {
  ModelGroup g;
  Pdb_AsciiDb *a = g.addDb("zq_a");
  Pdb_AsciiDb *b = g.addDb("zq_b");
  g.part(a, "/a/", "pa");
  g.part(b, "/b/", "pb");
  g.catRef(a, "/a/", b, "/b/");
  g.catRef(b, "/b/", a, "/a/");
  EXPECT_EQ(Search(g.group, {"/"}), (Strings{"pa", "pb"}));
  EXPECT_EQ(Search(g.group, {"/"}, Pdb_FindKind::CATEGORY),
            (Strings{"/", "/a/", "/a/b/", "/a/b/a/", "/a/b/a/b/", "/b/",
                     "/b/a/", "/b/a/b/", "/b/a/b/a/"}));

  /* A reference found at its own target path is one of its targets. */
  ModelGroup h;
  Pdb_AsciiDb *c = h.addDb("zq_c");
  Pdb_AsciiDb *d = h.addDb("zq_d");
  h.part(d, "/x/y/", "py");
  h.catRef(c, "/", d, "/x/");
  EXPECT_EQ(Search(h.group, {"/x/"}), Strings{"py"});
  EXPECT_EQ(Search(h.group, {"/"}, Pdb_FindKind::CATEGORY),
            (Strings{"/", "/x/", "/x/y/"}));
  EXPECT_EQ(Search(h.group, {"/x/"}, Pdb_FindKind::CATEGORY, false),
            Strings{"/y/"});
}

TEST(SearchEngine, MembershipSearchesReportTheirPlacesThroughReferences) {
  ModelGroup g;
  Pdb_AsciiDb *library = g.addDb("zq_lib");
  Pdb_AsciiDb *user = g.addDb("zq_user");
  Pdb_Part *part = g.part(library, "/lib/x/", "P");
  g.partRef(library, "/lib/y/", part);
  g.catRef(user, "/u/", library, "/lib/x/");
  g.catRef(user, "/v/", library, "/lib/");
  EXPECT_EQ(Holding(g.group, library, part), (Strings{"/lib/x/", "/lib/y/"}));
  EXPECT_EQ(Holding(g.group, user, part),
            (Strings{"/u/x/", "/v/lib/x/", "/v/lib/y/"}));
  EXPECT_EQ(Appearances(g.group, library, "/lib/x/"), Strings{"/lib/x/"});
  EXPECT_EQ(Appearances(g.group, user, "/lib/x/"),
            (Strings{"/u/x/", "/v/lib/x/"}));
  g.group->hidden.hideCategory("/lib/y/");
  EXPECT_EQ(Holding(g.group, library, part), Strings{"/lib/x/"});
}
