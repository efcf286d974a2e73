#pragma once

namespace Tessel {

// What the Table View says to the user, word for word.
inline constexpr const char* kMsgInvalidTarget =
    "You must select a valid cell and channel in the\nTable View. You also need to make a "
    "selection\nof, or place an Active Point on, some valid\ndata in the same channel in the "
    "Chart View.";
inline constexpr const char* kMsgUpdateRowComments =
    "This will update all the dose comments\nin the Chart View for the entire row.\n\nDo you "
    "want to continue?";
inline constexpr const char* kMsgUpdateColumnComments =
    "This will update all the dose comments\nin the Chart View for the entire column.\n\nDo you "
    "want to continue?";
inline constexpr const char* kMsgNotPositiveDose =
    "A dose has been entered which is not a positive number.\nThis dose will not be graphed.";
inline constexpr const char* kMsgDeleteDoseComment =
    "This will also delete the dose comment\nin the Chart View.\n\nDo you want to continue?";
inline constexpr const char* kMsgClearColumn =
    "This will delete all responses and marked\ndoses in the column and any associated\ndose "
    "comments in the Chart View.\n\nDo you want to continue?";
inline constexpr const char* kMsgDeleteSelectionAndComments =
    "This will delete everything within the selection and\nany associated dose comments in the "
    "Chart View.\n\nDo you want to continue?";
inline constexpr const char* kMsgDeleteSelection =
    "This will delete everything within the selection.\n\nDo you want to continue?";
inline constexpr const char* kMsgReservedWord = "This is a reserved word and cannot be used.";
inline constexpr const char* kMsgRecalculate =
    "This will recalculate the entire Table View.\n\nDo you want to continue?";
inline constexpr const char* kTipMultipleBlocks = "The selection is across multiple blocks.";

// Texts the module writes into cells itself; a user may not type them.
inline constexpr const char* kReservedWords[] = {"(marked)", "<Enter Dose>", "<Select Channel>",
                                                 "<Mark Dose or Add Response>"};

}  // namespace Tessel
