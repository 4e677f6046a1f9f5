#pragma once

#include <map>
#include <string>

#include "hlp_source.h"

// The words of the pages' own navigation, in the pages' code page.
struct HtmlLabels {
  std::string contents, index, previous, next;
};

// The same help as web pages in Shift-JIS, one per topic: the contents topic as
// "index.htm", every other topic as "CONTEXT.htm", and the keyword index as "keywords.htm".
// Each page leads to the contents, the index and its neighbours in the browse sequence.
std::map<std::string, std::string> WriteHelpPages(const HelpSource& source,
                                                  const HtmlLabels& labels);

// The page a topic is written to.
std::string PageName(const HelpSource& source, const std::string& context);
