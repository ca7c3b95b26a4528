// Identifiers of the main dialog's controls.
#pragma once

enum ControlId : int {
  kIdFontList = 1001,
  kIdCharWidth = 1002,
  kIdCharHeight = 1003,
  kIdBold = 1004,
  kIdItalic = 1005,
  kIdUnderline = 1006,
  kIdTrimOverflow = 1007,
  kIdPreviewArea = 1009,
  kIdSaveBitmap = 1010,
  kIdAutosizeProportional = 1011,
  kIdExportNormal = 1012,
  kIdExportUser = 1013,
  kIdCharacters = 1014,
  kIdPreviewText = 1015,
  kIdExit = 1016,
  kIdExportAll = 1017,
  kIdAutosizeFull = 1018,
  kIdBgRed = 1019,
  kIdBgGreen = 1020,
  kIdBgBlue = 1021,
  kIdLog = 1022,
  kIdSaveSettings = 1023,
  kIdColorGradient = 1024,
  kIdColorImageOnly = 1025,
  kIdColorRelief = 1026,
  kIdTexturePath = 1027,
  kIdBrowseTexture = 1028,
  kIdSaveAll = 1029,
  kIdTopLabel = 1030,
  kIdTopRed = 1031,
  kIdTopGreen = 1032,
  kIdTopBlue = 1033,
  kIdSubRed = 1034,
  kIdSubGreen = 1035,
  kIdSubBlue = 1036,
  kIdColorSteps = 1037,
  kIdSubLabel = 1038,
  kIdLoadSettings = 1039,
  kIdChooseBg = 1040,
  kIdChooseTop = 1041,
  kIdChooseSub = 1042,
  kIdColorGradientOverImage = 1043,
  kIdColorReliefOverImage = 1044,
  kIdFontPreview = 1045,
  kIdImagePreview = 1046,
  kIdZoom1 = 1048,
  kIdZoom2 = 1049,
  kIdZoom4 = 1050,
  kIdTileSize = 1051,
  kIdCharactersLabel = 1052,
  kIdCenter = 1053,
  kIdExportRange = 1054,
  kIdRangeFrom = 1055,
  kIdRangeTo = 1056,
  // The layout of the sheet: character map, grid and cell size.
  kIdCharMap = 1057,
  kIdGridColumns = 1058,
  kIdGridRows = 1059,
  kIdCellWidth = 1060,
  kIdCellHeight = 1061,
  // The preview's cell grid toggle and the status line naming the hovered cell.
  kIdPreviewGrid = 1062,
  kIdCellInfo = 1063,
  // Adds a font file that is not installed to the font list.
  kIdOpenFontFile = 1064,
  // The output kind of the sheet file, and the mono output's threshold. 1070..1072 are
  // the descriptors' check boxes in the same group.
  kIdOutputColor = 1065,
  kIdOutputAlpha = 1066,
  kIdOutputGray = 1067,
  kIdOutputMono = 1068,
  kIdMonoThreshold = 1069,
  // The descriptors written beside a saved sheet.
  kIdDescriptorFnt = 1070,
  kIdDescriptorJson = 1071,
  kIdDescriptorC = 1072,
  // The distance-field output and its spread, in the output kind's group.
  kIdOutputSdf = 1073,
  kIdSdfSpread = 1074,
  // The bitmap-font descriptor as XML and as binary, beside the other descriptors.
  kIdDescriptorFntXml = 1075,
  kIdDescriptorFntBinary = 1076,
  // The bitmap font files written beside a saved sheet.
  kIdFontFileBdf = 1077,
  kIdFontFilePsf = 1078,
  kIdFontFileOtb = 1079,
  // Who draws the box drawing and block characters, and whether pixel fonts are drawn
  // exactly: two radio groups in the layout's second row.
  kIdBoxDrawingAuto = 1080,
  kIdBoxDrawingBuiltin = 1081,
  kIdBoxDrawingFont = 1082,
  kIdPixelFontAuto = 1083,
  kIdPixelFontOn = 1084,
  kIdPixelFontOff = 1085,
  // Not a control: the command the character map list issues when "Unicode ranges ..."
  // is chosen, asking for the ranges.
  kIdAskUnicodeRanges = 1086,
  // The most sheets (pages) a map larger than the grid may take. 1091..1094 are kept for
  // the page controls.
  kIdPages = 1090,
  // The fallback faces, in order, that draw what the selected face lacks: one field in
  // the layout's third row.
  kIdFallbackFaces = 1095,
};

// Notification codes carried by a command.
enum NotifyCode : int {
  kNotifyClicked = 0,         // button click
  kNotifySelChange = 1,       // font list selection changed by the user
  kNotifyTextChange = 0x300,  // edit text changed
};
