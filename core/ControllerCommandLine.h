#pragma once

#include <string>

// The launch parameters a cutting driver or a plug-in passes to the controller. Parsing only
// records; the values take effect when the main window opens.
class CControllerCommandLine {
public:
    enum class Pending {
        None,
        DemoModel,
        ModelName,
        DesignOrient,
        MediaOrient,
        MarkDistX,
        MarkDistY,
        Correction,
        MarkType,
        MarkStep,
        MarkLength,
        MarkThickness,
        Owner,
        CutPlotterFile,
    };

    // Walks the process arguments from the second to the last: a leading '-' or '/' marks a
    // keyword (and is dropped), anything else is a value for the keyword before it.
    void ParseArguments(int argc, const char* const* argv);

    void ParseParam(const char* text, bool isFlag, bool isLast);
    void ParseKeyword(const char* text);
    void ParseValue(const char* text);

    Pending m_nPending = Pending::None;
    int m_bDemo = 0;
    std::string m_strDemoModel;
    int m_bModel = 0;
    std::string m_strModel;
    int m_bSkipQueueCheck = 0;
    int m_bForceController = 0;
    int m_bCutMode = 0;
    int m_bDesignOrient = 0;
    int m_nDesignOrient = 2;
    int m_bMediaOrient = 0;
    int m_nMediaOrient = 2;
    int m_bMarkDistance = 0;
    double m_dMarkDistX = -1.0;
    double m_dMarkDistY = -1.0;
    int m_bCorrection = 0;
    int m_nCorrection = 4;
    int m_bMarkType = 0;
    int m_nMarkType = 2;
    int m_bMarkStep = 0;
    double m_dMarkStep = -1.0;
    int m_bMarkLength = 0;
    double m_dMarkLength = -1.0;
    int m_bMarkThickness = 0;
    double m_dMarkThickness = -1.0;
    int m_bNoMarks = 0;
    int m_bOwner = 0;
    long long m_hOwner = 0;
    // CUTPLOTTER: the file into which a run that ends with "Cut" writes the family name of
    // the plotter it prepared, so that the driver that started it sends the job there.
    int m_bCutPlotter = 0;
    std::string m_strCutPlotterFile;
};
