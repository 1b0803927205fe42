// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The object names tests find widgets and actions by. They are the names of an older
// form designer, kept so lock tables and captions can be checked control by control;
// nothing but tests and styles should rely on them.
namespace ObjectName {

// Menu items, and the tool buttons that perform the same command
inline constexpr const char *NewItem = "mmNew";
inline constexpr const char *NewButton = "tbNew";
inline constexpr const char *OpenItem = "mmOpen";
inline constexpr const char *OpenButton = "tbOpen";
inline constexpr const char *SaveItem = "mmSave";
inline constexpr const char *SaveButton = "tbSave";
inline constexpr const char *SaveAsItem = "mmSaveAs";
inline constexpr const char *SaveAsButton = "tbSaveAs";
inline constexpr const char *SavePictureItem = "N2";
inline constexpr const char *ExitItem = "mmExit";
inline constexpr const char *UndoItem = "mmUndo";
inline constexpr const char *UndoButton = "ToolButton19";
inline constexpr const char *RedoItem = "mmRedo";
inline constexpr const char *RedoButton = "ToolButton24";
inline constexpr const char *CutItem = "mmCut";
inline constexpr const char *CutButton = "ToolButton25";
inline constexpr const char *CopyItem = "mmCopy";
inline constexpr const char *CopyButton = "ToolButton26";
inline constexpr const char *PasteItem = "mmPaste";
inline constexpr const char *PasteButton = "ToolButton27";
inline constexpr const char *ClearAlgorithmItem = "mmClearAlg";
inline constexpr const char *ClearAlgorithmButton = "ToolButton29";
inline constexpr const char *ClearFieldItem = "mmClearRobField";
inline constexpr const char *ClearFieldButton = "ToolButton30";
inline constexpr const char *RefreshItem = "mmRefresh";
inline constexpr const char *SelectAllItem = "mmSelAll";
inline constexpr const char *BeginEndItem = "mmCOMbegend";
inline constexpr const char *BeginEndButton = "ToolButton16";
inline constexpr const char *StepItem = "mmCOMstep";
inline constexpr const char *JumpItem = "mmCOMjump";
inline constexpr const char *Rotate45Item = "mmCOMrot45";
inline constexpr const char *Rotate90Item = "mmCOMrot90";
inline constexpr const char *CreateProcedureItem = "mmCOMproccreate";
inline constexpr const char *CreateProcedureButton = "ToolButton22";
inline constexpr const char *CallProcedureItem = "mmCOMprocexec";
inline constexpr const char *CallProcedureButton = "ToolButton23";
inline constexpr const char *CountedLoopItem = "mmCOMcyclun";
inline constexpr const char *CountedLoopButton = "ToolButton20";
inline constexpr const char *ConditionalLoopItem = "mmCOMcicluIF";
inline constexpr const char *ConditionalLoopButton = "ToolButton11";
inline constexpr const char *ConditionItem = "mmCOMcycluif2";
inline constexpr const char *ConditionButton = "ToolButton12";
inline constexpr const char *ColourItem = "mmCOMcolor";
inline constexpr const char *ColourButton = "ToolButton14";
inline constexpr const char *DestroyItem = "mmCOMdestroy";
inline constexpr const char *DestroyButton = "ToolButton17";
inline constexpr const char *RebuildItem = "mmCOMrebuild";
inline constexpr const char *RebuildButton = "ToolButton18";
inline constexpr const char *RunItem = "mmExecute";
inline constexpr const char *RunButton = "ToolButton1";
inline constexpr const char *PauseItem = "mmPause";
inline constexpr const char *PauseButton = "ToolButton3";
inline constexpr const char *StopItem = "mmStop";
inline constexpr const char *StopButton = "ToolButton2";
inline constexpr const char *CheckItem = "mmOrfo";
inline constexpr const char *CheckButton = "ToolButton5";
inline constexpr const char *ManualModeItem = "mmManualRegim";
inline constexpr const char *ManualModeButton = "ToolButton10";
inline constexpr const char *PreferencesItem = "mmPref";
inline constexpr const char *PreferencesButton = "ToolButton34";
inline constexpr const char *HelpItem = "mmHelp";
inline constexpr const char *AboutItem = "mmAbout";
inline constexpr const char *TranslateProgramItem = "mmTranslate";
inline constexpr const char *CheckTaskItem = "mmCheckTask";
inline constexpr const char *CheckTaskButton = "tbCheckTask";
inline constexpr const char *ShowGoalItem = "mmShowGoal";
inline constexpr const char *MakeTaskItem = "mmMakeTask";
inline constexpr const char *PrintItem = "mmPrint";
inline constexpr const char *PrintPreviewItem = "mmPrintPreview";
inline constexpr const char *ExportWorksheetItem = "mmExportWorksheet";
inline constexpr const char *StepBackItem = "mmStepBack";
inline constexpr const char *StepForwardItem = "mmStepForward";
inline constexpr const char *MarkLineSegmentsItem = "mmMarkLineSegments";
inline constexpr const char *Timeline = "timeline";
inline constexpr const char *TimelineLabel = "timelineLabel";
inline constexpr const char *HandInItem = "mmHandIn";

// Menus and tool bars
inline constexpr const char *FileMenu = "N1";
inline constexpr const char *EditMenu = "N9";
inline constexpr const char *ViewMenu = "mmView";
inline constexpr const char *CommandsMenu = "N10";
inline constexpr const char *SystemCommandsMenu = "N54";
inline constexpr const char *SimpleCommandsMenu = "N15";
inline constexpr const char *AdvancedCommandsMenu = "N16";
inline constexpr const char *SpecialCommandsMenu = "N22";
inline constexpr const char *ProgramMenu = "N3";
inline constexpr const char *HelpMenu = "N6";
inline constexpr const char *FileToolBar = "ToolBar5";
inline constexpr const char *RunToolBar = "ToolBar1";
inline constexpr const char *CommandsToolBar = "ToolBar2";

// Controls of the window itself
inline constexpr const char *StatusBar = "StatusBar1";
inline constexpr const char *StepButton = "Button1_step";
inline constexpr const char *JumpButton = "Button2_jump";
inline constexpr const char *Rotate45Button = "Button3_r45";
inline constexpr const char *Rotate90Button = "Button4_r90";
inline constexpr const char *RecordingCheckBox = "manualcheckbox";
inline constexpr const char *EndOfRunNotice = "Panel1";
inline constexpr const char *NoErrorsNotice = "Panel2";
inline constexpr const char *RunTimer = "runTimer";
inline constexpr const char *NoticeTimer = "noticeTimer";
inline constexpr const char *LinePanelTimer = "linePanelTimer";
inline constexpr const char *RecoveryTimer = "recoveryTimer";
inline constexpr const char *RunStateTimer = "runStateTimer";

// Field context menu
inline constexpr const char *FieldClearItem = "PopupClearField";

// Preferences dialog
inline constexpr const char *PreferencesDialog = "Prop";
inline constexpr const char *LanguageRussian = "rb1";
inline constexpr const char *LanguageRomanian = "rb2";
inline constexpr const char *LanguageEnglish = "rb3";
inline constexpr const char *AutoRefreshCheckBox = "Sintaxa";
inline constexpr const char *AdvancedToolBarCheckBox = "advcom";
inline constexpr const char *SpeedPreviewTimer = "Timer1";
inline constexpr const char *SpeedPreviewBar = "ProgressBar1";
inline constexpr const char *SpeedSlider = "TrackBar1";
inline constexpr const char *SpeedValueSpinBox = "SpeedValue";
inline constexpr const char *FieldWidthSpinBox = "SpinEdit1";
inline constexpr const char *FieldHeightSpinBox = "SpinEdit2";
inline constexpr const char *PreferencesPages = "PageControl1";
inline constexpr const char *OkButton = "OKBtn";
inline constexpr const char *CancelButton = "CancelBtn";
inline constexpr const char *AutoRefreshLabel = "SintaxaLabel";
inline constexpr const char *CleanFieldCheckBox = "cleanField";
inline constexpr const char *CleanFieldLabel = "cleanFieldLabel";

// Extended-settings dialog
inline constexpr const char *ExtendedSettingsDialog = "SysN";
inline constexpr const char *SpeedSpinBox = "SpinEdit1";
inline constexpr const char *ApplySpeedButton = "Button1";

}   // namespace ObjectName
