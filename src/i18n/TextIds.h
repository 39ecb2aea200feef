#pragma once

// Ids of the console's texts in the string table (cmlang.txt), relative to a
// language's base. Fetch message texts with tr_id(id); captions of tagged
// widgets are set by TFTLanguage::Translate.

namespace TextId {

// Clients grid
constexpr int ColWriteAccess = 21;
constexpr int SetAllButton = 22;
constexpr int ColConfigAccess = 23;
constexpr int ColIP = 24;
constexpr int ColComputerName = 25;
constexpr int ColVersion = 27;
constexpr int HintWriteHeader = 28;
constexpr int HintConfigHeader = 29;
constexpr int ColTimeSaved = 30;
constexpr int ColMoneySaved = 31;
constexpr int ColStatus = 32;
constexpr int StatusMenu = 33;
constexpr int ClientConnected = 40;
constexpr int ClientNotConnected = 41;
constexpr int ClientEditing = 42;
constexpr int ClientBlocked = 43;
constexpr int BlockButton = 46;
constexpr int UnblockButton = 47;

// Network settings, server log
constexpr int SetPassword = 117;
constexpr int ChangePassword = 118;
constexpr int SaveLogTitle = 172;
constexpr int SaveLogFilter = 173; // "description|pattern|..." pairs

// Waits, updates, server search
constexpr int WaitConnecting = 250;
constexpr int CheckUpdates = 252;
constexpr int CheckingUpdates = 255;
constexpr int AskSearchServer = 264;
constexpr int AskSearchAgain = 265;

// Setup wizard
constexpr int WizardBack = 451;
constexpr int WizardNext = 452;
constexpr int WizardFinish = 453;
constexpr int WizardNoServerFound = 454;
constexpr int WizardPortBusy = 455;  // one "%d": the port
constexpr int WizardPortFound = 456; // one "%d": the port
constexpr int WizardServerNotFound = 457;
constexpr int WizardServerFound = 463;
constexpr int WizardFinishText = 464;

// Offered updates, each with one "%s": the version
constexpr int UpdateClient = 560;
constexpr int UpdateServer = 561;
constexpr int UpdateConsole = 562;

// Messages and status texts
constexpr int ServerNotFound = 600;
constexpr int ErrorCaption = 601;
constexpr int InfoCaption = 605;
constexpr int FileReadOnly = 606;
constexpr int FileOk = 607;
constexpr int FileEditedBy = 608;
constexpr int ConnectedTo = 609;
constexpr int NotConnected = 610;
constexpr int UnsavedChangesHint = 611;
constexpr int AppliedHint = 612;
constexpr int PhraseFileNotFound = 615;
constexpr int PhraseFileNotLocal = 616;
constexpr int WarningCaption = 617;
constexpr int QuestionCaption = 626;
constexpr int NotAvailable = 630;
constexpr int On = 631;
constexpr int NotRunningOnPort = 632;
constexpr int UpdateCheckFailed = 633;
constexpr int PortTooLow = 634;
constexpr int ConsoleNotCompatible = 635;
constexpr int RemoveWriteWhileEditing = 636;
constexpr int RunningOnPort = 637;
constexpr int StatusLabel = 640;
constexpr int NoNetwork = 644;
constexpr int ClientNotCompatible = 646; // one "%s": the client
constexpr int TotalsLine = 647;          // two "%s": time saved, money saved
constexpr int PasswordEmpty = 648;
constexpr int UpdatesAvailable = 652; // one "%s": the offered versions
constexpr int ConfirmFileUpdateAtStart = 655;
constexpr int ConfirmBlockConnected = 656;
constexpr int ServerTooOld = 658;
constexpr int ServerConfigError = 660;
constexpr int NoUpdate = 663;

// Every message id above, for the check that the string table covers them.
inline constexpr int MessageIds[] = {
    ColWriteAccess,
    SetAllButton,
    ColConfigAccess,
    ColIP,
    ColComputerName,
    ColVersion,
    HintWriteHeader,
    HintConfigHeader,
    ColTimeSaved,
    ColMoneySaved,
    ColStatus,
    StatusMenu,
    ClientConnected,
    ClientNotConnected,
    ClientEditing,
    ClientBlocked,
    BlockButton,
    UnblockButton,
    SetPassword,
    ChangePassword,
    SaveLogTitle,
    SaveLogFilter,
    WaitConnecting,
    CheckUpdates,
    CheckingUpdates,
    AskSearchServer,
    AskSearchAgain,
    WizardBack,
    WizardNext,
    WizardFinish,
    WizardNoServerFound,
    WizardPortBusy,
    WizardPortFound,
    WizardServerNotFound,
    WizardServerFound,
    WizardFinishText,
    UpdateClient,
    UpdateServer,
    UpdateConsole,
    ServerNotFound,
    ErrorCaption,
    InfoCaption,
    FileReadOnly,
    FileOk,
    FileEditedBy,
    ConnectedTo,
    NotConnected,
    UnsavedChangesHint,
    AppliedHint,
    PhraseFileNotFound,
    PhraseFileNotLocal,
    WarningCaption,
    QuestionCaption,
    NotAvailable,
    On,
    NotRunningOnPort,
    UpdateCheckFailed,
    PortTooLow,
    ConsoleNotCompatible,
    RemoveWriteWhileEditing,
    RunningOnPort,
    StatusLabel,
    NoNetwork,
    ClientNotCompatible,
    TotalsLine,
    PasswordEmpty,
    UpdatesAvailable,
    ConfirmFileUpdateAtStart,
    ConfirmBlockConnected,
    ServerTooOld,
    ServerConfigError,
    NoUpdate,
};

// Tags of the translated controls: pages 1-6, then one id per control (tab
// pages, radio items and list items take consecutive ids).
inline constexpr int CaptionIds[] = {
    1,   2,   3,   4,   5,   6,   10,  11,  12,  13,  15,  46,  47,  50,  51,  52,  53,  54,
    55,  56,  60,  62,  70,  71,  73,  75,  90,  91,  94,  110, 111, 112, 113, 114, 115, 116,
    170, 171, 174, 200, 201, 202, 250, 252, 256, 260, 261, 262, 300, 301, 302, 303, 304, 305,
    306, 340, 341, 342, 343, 344, 457, 458, 459, 460, 461, 462, 464, 465, 466, 500, 640,
};

} // namespace TextId
