#include "core/messages/EnglishStrings.h"

namespace {

// Sorted by id: lookups search it by halves.
constexpr StringEntry kEnglish[] = {
    {1000, "The conditions specified for operation are insufficient.\nThe Morvalin Vireclip could "
           "not be launched."},
    {1001, "ZEFRALINK.DLL could not be found, and so the Vireclip could not be started.\nPlease "
           "reboot your computer or re-install the Vireclip."},
    {1002, "The ZEFRALINK.DLL functions could not be found, and so the Vireclip could not be "
           "started.\nPlease reboot your computer or re-install the Vireclip."},
    {1003, "Memory Acquisition Error:\nClose other applications and then restart the controller."},
    {1004, "Cannot communicate with the plotter.\nCheck that the USB cable is connected "
           "correctly,\nand then confirm that the plotter is turned on."},
    {1005, "The USB port is currently in use. \nPlease wait ten seconds, and then try again."},
    {1006, "The USB port is currently in use. \nPlease wait ten seconds, and then try again."},
    {1007, "Cannot communicate with the plotter.\nTurn off the plotter's power switch, and then "
           "turn it on again."},
    {1008, "Cannot communicate with the plotter.\nTurn off the plotter's power switch, and then "
           "turn it on again."},
    {1009,
     "The specified plotter model is not supported. The Morvalin Vireclip can only be launched for "
     "supported plotter models.\nOr, if the connected plotter is Nimbo-Pro, the Controller can "
     "only be launched if the firmware version is Ver. 7.00 or later.\nThe firmware version number "
     "is displayed for several seconds on the plotter's LCD when the power is first turned on."},
    {1010,
     "The specified plotter model is not supported.\nThe Morvalin Vireclip could not be launched."},
    {1011, "%s could not be connected."},
    {1012, "The USB port is currently in use. \nPlease wait ten seconds, and then try again."},
    {1013, "The Media List file could not be found, and so the Vireclip could not be "
           "started.\nPlease reboot your computer or re-install the Vireclip."},
    {1014, "A program error occurred. \nThere is a possibility that a resource shortage occurred "
           "when you attempted to run the program. \nPlease close other programs and try again."},
    {1015, "A program error occurred. \nThere is a possibility that a resource shortage occurred "
           "when you attempted to run the program. \nPlease close other programs and try again."},
    {1100, "The USB port is currently in use. \nPlease wait ten seconds, and then try again."},
    {1101, "The plotter is not in the Ready status.\nConfirm that the Media set lever is not in "
           "the raised position.\nConfirm the LCD status.\nConfirm that the plotter is not cutting "
           "anything.\nConfirm that you are not in the cutting conditions setting mode.\nConfirm "
           "all of the above and then try again."},
    {1102,
     "Auto registration mark reading has failed.\nConfirm that the Distance Between Registration "
     "Marks set is correct.\nConfirm that the Auto Registration Mark pattern set is correct."},
    {1200, "The value specified for the X axis distance between the registration marks exceeds the "
           "allowable range. \nPlease specify a distance in the range %s to %s mm."},
    {1201, "The value specified for the X axis distance between the registration marks exceeds the "
           "allowable range. \nPlease specify a distance in the range %s to %s inches."},
    {1202, "The value specified for the Y axis distance between the registration marks exceeds the "
           "allowable range. \nPlease specify a distance in the range %s to %s mm."},
    {1203, "The value specified for the Y axis distance between the registration marks exceeds the "
           "allowable range. \nPlease specify a distance in the range %s to %s inches."},
    {1204, "The value specified for the Step parameter exceeds the allowable range.\nPlease "
           "specify a length in the range %s to %s mm."},
    {1205, "The value specified for the Step parameter exceeds the allowable range.\nPlease "
           "specify a length in the range %s to %s inches."},
    {1206, "The value specified for the registration mark line length exceeds the allowable range. "
           "\nPlease specify a length in the range %s to %s mm."},
    {1207, "The value specified for the registration mark line length exceeds the allowable range. "
           "\nPlease specify a length in the range %s to %s inches."},
    {1208, "The value specified for the registration mark line thickness exceeds the allowable "
           "range. \nPlease specify a thickness in the range %s to %s mm."},
    {1209, "The value specified for the registration mark line thickness exceeds the allowable "
           "range. \nPlease specify a thickness in the range %s to %s inches."},
    {1210, "The value specified for the Page Length parameter exceeds the allowable range.\nPlease "
           "specify a length in the range %s to %s cm."},
    {1211, "The value specified for the Page Length parameter exceeds the allowable range.\nPlease "
           "specify a length in the range %s to %s inches."},
    {1212, "The value specified for the Offset Angle parameter exceeds the allowable "
           "range.\nPlease specify an angle in the range %s to %s degrees."},
    {1213, "The value specified for the Initial Down Force parameter exceeds the allowable "
           "range.\nPlease specify a value in the %s to %s range."},
    {1214, "The value specified for the Step Pass parameter exceeds the allowable range.\nPlease "
           "specify a value in the %s to %s range."},
    {1215, "The value specified for the Feed Length parameter exceeds the allowable range.\nPlease "
           "specify a length in the range %s to %s m."},
    {1216, "The value specified for the Feed Length parameter exceeds the allowable range.\nPlease "
           "specify a length in the range  %s to %s feet."},
    {1217, "The value specified for the Distance Adjust L parameter exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s %%."},
    {1218, "The value specified for the Distance Adjust W parameter exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s %%."},
    {1219, "The value specified for the tangential emulation start point exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s mm."},
    {1220, "The value specified for the tangential emulation start point exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s inches."},
    {1221, "The value specified for the tangential emulation end point exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s mm."},
    {1222, "The value specified for the tangential emulation end point exceeds the allowable "
           "range.\nPlease specify a value in the range %s to %s inches."},
    {1300, "Please select a List."},
    {1301, "The specified list has already been selected as the list to be used for the plotter "
           "setting values.\nCan't delete this list."},
    {1302, "Can't delete this list."},
    {1303, "The specified name includes an invalid character.\nPlease specify another name."},
    {1304, "The specified name is already in use. \nPlease specify another name."},
    {1305, "The Media List edit operation failed."},
    {1306, "The Light Pointer has been selected."},
    {1400, "The design orientation has not been specified correctly. \nPlease check the \"Design "
           "Orientation\" setting in your application program."},
    {1401, "The media orientation has not been specified correctly. \nPlease check the \"Media "
           "Orientation\" setting in your application program."},
    {1402, "The registration mark length has not been specified correctly.\nPlease check the "
           "\"Length\" setting in your application program."},
    {1403, "The distances between the registration marks have not been specified correctly. "
           "\nPlease check the \"Distance\" settings in your application program."},
    {1404, "The correction method has not been specified correctly. \nPlease check the "
           "\"Correction Method\" setting in your application program."},
    {1405, "The registration mark type has not been specified correctly. \nPlease check the "
           "\"Registration Mark Type\" setting in your application program."},
    {1406, "The step length has not been specified correctly. \nPlease check the \"Step\" setting "
           "in your application program."},
    {1407, "The registration mark thickness has not been specified correctly. \nPlease check the "
           "\"Thickness\" setting in your application program."},
    {1500, "The help page for this window could not be found.\nPlease re-install the Vireclip."},
    {1501, "The help page could not be opened.\nPlease check that a web browser is installed "
           "and set as the default browser."},
    {1800, "The plotter command set will be switched to QV-CL.\nLoad the medium in the plotter, "
           "and then click the OK button."},
    {1801, "The plotter will now cut the test pattern.\nOK?"},
    {1802, "The plotter will now cut five test patterns at different pressures.\nOK?"},
    {1803, "Now performing a test cut..."},
    {1804, "Press the Enter button. "},
    {1805, "The plotter will now perform cross cutting.\nOK?"},
    {1806, "Move the cutter head position to the green section of the drawing using the position "
           "keys.\nDo you want to start searching for the registration marks?"},
    {1807, "Did not read the registration marks.\nThe print and cut positions may not line "
           "up.\nCut anyway?"},
    {1808, "The Controller will shut down without the parameter values that were changed in the "
           "Controller being sent to the plotter.\nOK?"},
    {1809, "Do you want to delete the list \"%s\"?"},
    {1810, "The Media List will be overwritten.\nOK?"},
    {1811, "The cutting conditions will be changed.\nOK?"},
    {2000, "Morvalin Vireclip"},
    {2001, " Demo Mode"},
    {2002, "List Edit..."},
    {2003, "Edit Conditions..."},
    {2004, "Import Conditions..."},
    {2005, "Use Keyboard"},
    {2006, "mm"},
    {2007, "inch"},
    {2008, "Settings..."},
    {2009, "Read Marks"},
    {2010, "Help..."},
    {2011, "About..."},
    {2012, "Option..."},
    {2013, "Advanced..."},
    {2014, "Cancel"},
    {2015, "Cut"},
    {2016, "Close"},
    {2100, "Morvalin Vireclip Version 2.20"},
    {2101, "OK"},
    {2200, "Media Name"},
    {2201, "Pen Type"},
    {2202, "Force"},
    {2203, "Speed"},
    {2204, "Quality"},
    {2205, "Offset"},
    {2206, "New..."},
    {2207, "Edit..."},
    {2208, "Delete"},
    {2209, "Copy..."},
    {2300, "New Media"},
    {2301, "Create new cutting conditions"},
    {2302, "Edit cutting conditions"},
    {2303, "Copy cutting conditions"},
    {2304, "Edit cutting conditions"},
    {2305, "Import cutting conditions from plotter"},
    {2306, "About the Blades..."},
    {2400, "Enter"},
    {2500, "Abort"},
    {2600, "cm"},
    {2601, "m"},
    {2602, "feet"},
    {2603, "Command"},
    {2604, "AUTO"},
    {2605, "Cond. No. 1"},
    {2606, "Cond. No. 2"},
    {2607, "Cond. No. 3"},
    {2608, "Cond. No. 4"},
    {2609, "Cond. No. 5"},
    {2610, "Cond. No. 6"},
    {2611, "Cond. No. 7"},
    {2612, "Cond. No. 8"},
    {2613, "Cond. No. 9"},
    {2700, "LM200 Series"},
    {2701, "LM300 Series"},
    {2702, "LM400 Series"},
    {2703, "KR10A"},
    {2704, "KR10A (1)"},
    {2705, "KR10A (2)"},
    {2706, "KR10-X"},
    {2707, "KR10-X (1)"},
    {2708, "KR10-X (2)"},
    {2709, "KR16U"},
    {2710, "KR16-X"},
    {2711, "KR16U-SQ"},
    {2712, "KR16SQ-X"},
    {2713, "KR16UA"},
    {2714, "KR16UB"},
    {2715, "KR16U-M30"},
    {2716, "KR16U-M30-SQ"},
    {2717, "KR16UA-M30"},
    {2718, "PNH40-TQ20"},
    {2719, "Other"},
    {2720, "Undefined"},
    // Window texts: labels, frames, radio buttons and titles of the windows (2800-2999).
    // Main window.
    {2800, "Use Plotter Settings"},
    {2801, "Use Controller Settings"},
    {2802, "Media Type"},
    {2803, "Blade"},
    {2804, "Force"},
    {2805, "Speed"},
    {2806, "Quality"},
    {2807, "Offset"},
    {2808, "Test"},
    {2809, "Position"},
    {2810, "Origin"},
    {2811, "Cross Cut"},
    {2812, "Design Orientation"},
    {2813, "Media Orientation"},
    {2814, "Preview"},
    {2815, "Registration Marks"},
    {2816, "Search Marks"},
    {2817, " Distance"},
    {2818, "X :"},
    {2819, "Y :"},
    // Condition edit and condition list windows.
    {2830, "Media Name"},
    {2831, "Blade Selection"},
    {2832, "Test for cutting force"},
    {2833, "Test"},
    {2834, "Position"},
    {2835, "Force :"},
    {2836, "Speed :"},
    {2837, "Quality :"},
    {2838, "Offset :"},
    {2840, "Edit Condition List"},
    // Registration mark settings and mark reading windows.
    {2850, "Registration Mark Settings"},
    {2851, "Correction Method"},
    {2852, "Registration Mark Type"},
    {2853, "2 points"},
    {2854, "3 points"},
    {2855, "4 points"},
    {2856, "Area"},
    {2857, "Step"},
    {2858, "a :"},
    {2860, "Wait..."},
    {2861, "Now Reading Registration Marks..."},
    // Advanced settings window.
    {2870, "Advanced Settings"},
    {2871, "Fan Power"},
    {2872, "Mirror"},
    {2873, "Distance Adjust"},
    {2874, "Tangential Emulation"},
    {2875, "Page Length"},
    {2876, "Offset Angle"},
    {2877, "degree(s)"},
    {2878, "Initial Down Force"},
    {2879, "Step Pass"},
    {2880, "Pen Up Speed"},
    {2881, "Auto Pre Feed"},
    {2882, "L="},
    {2883, "Normal"},
    {2884, "Weak"},
    {2885, "Off"},
    {2886, "On"},
    {2887, "L :"},
    {2888, "W :"},
    {2889, "Mode 1"},
    {2890, "Mode 2"},
    {2891, "Start :"},
    {2892, "End :"},
    // Command setting, its wait window and the option window.
    {2900, "Command Setting"},
    {2901, "Command"},
    {2902, "Wait..."},
    {2903, "Now setting the command parameterr..."},
    {2910, "Option"},
    {2911, "Unit"},
};

} // namespace

std::span<const StringEntry> EnglishStrings() {
    return kEnglish;
}
