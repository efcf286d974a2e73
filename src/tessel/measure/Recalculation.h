#pragma once

namespace Tessel {

class Document;

// Measures every cell of the document that holds a response again with the current settings and
// rewrites its text in the current number format; then refreshes the views. True when every
// measurement succeeded (also for a table without responses).
bool RecalculateAllResponses(Document& doc);

}  // namespace Tessel
