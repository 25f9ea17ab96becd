// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed numbers of the game's media objects (sprites, quads, images, sounds, fonts). The
// catalogue loads them in pack order; every other part of the game names them from here.
#pragma once

namespace obj {

// Pictures of the main pack.
constexpr int pointer = 2097;
constexpr int ball8 = 2064, ball16 = 2065, ball32 = 2066, ball80 = 2068, ball160 = 2069;
constexpr int shipUpright = 2076;          // leaning left 2075..2071, right 2077..2081
constexpr int shipLeanLeftMost = 2071, shipLeanRightMost = 2081;
constexpr int shipLaser = 2093;
// Bricks: 16-frame animations from these bases.
constexpr int brickRed = 34, brickGreen = 50, brickBlue = 66, brickYellow = 82, brickMagenta = 98,
              brickCyan = 114, brickWhite = 130, brickBlack = 146;
constexpr int brickUnbreakable = 162, brickTeleport = 226;
constexpr int brick3Hits = 178, brick2Hits = 194, brick1Hit = 210;
// Capsules: 16-frame animations.
constexpr int capsuleTriple = 242, capsuleEnlarge = 258, capsuleFire = 274, capsuleLaser = 290,
              capsuleGlue = 306, capsuleMissile = 322, capsuleDoor = 338, capsuleRow = 354,
              capsuleBigger = 370, capsuleChaingun = 386, capsuleExtraLife = 402,
              capsuleMalus = 418;
constexpr int letterB = 434, letterO = 450, letterN = 466, letterU = 482, letterS = 498;
constexpr int filSpark = 680;              // 22 frames
constexpr int filSegment = 702;
constexpr int missile = 724;               // 32 frames
constexpr int targetNormal = 756, targetLight = 788, targetText = 820;
constexpr int missileDecal = 852;          // 852, 884, 916, 948
constexpr int smoke = 980;                 // 980, 1012, 1044, 1076, 1108
constexpr int gaugeWindow = 1140, gaugeNeedle = 1172;
constexpr int chaingun = 1204;
constexpr int gunTarget = 1236;
constexpr int ammoGauge = 1268;            // six states
constexpr int bullet = 1460, muzzleFlash = 1492;
constexpr int explosionTiles = 514;        // 31 frames
constexpr int fireball = 544;              // 24 frames, opaque
constexpr int monster02 = 568, monster03 = 584, monster06 = 600;  // 16 frames
constexpr int monster04 = 616, monster05 = 648;                   // 32 frames
constexpr int shipBody = 2082;             // 2082..2087 widths, 2088..2092 the full-width cycle
constexpr int shipBodyLast = 2092;
constexpr int strike = 2094, halo = 2036, shipEnergy = 2037, nextLevelDoor = 2103;
constexpr int flare = 2038;                // 2038..2042
constexpr int panel = 2099;
// The lower panel's moving picture and the rows of it shown (images).
constexpr int panel2 = 2100, panel2Shown = 2101;
constexpr int redBall = 2102;
constexpr int bonusPicture = 2104, winnerPicture = 2105;  // images
// Glyphs: silverGlyphBase + c and goldGlyphBase + c (glyph_tables.h).

// Per-level pictures.
constexpr int background = 2059;
constexpr int panelTop = 2061, panelLeft = 2062, panelRight = 2063;
// The level effects' pictures; each level loads only its own, so levels share numbers.
constexpr int waterRipple = 2060;          // level 15: the rippled copy of the water picture
constexpr int cloudQuad = 2107;            // clouds (7, 50) and streaks (6)
constexpr int starQuad = 2111;
constexpr int glowQuad = 2115, blueGlowQuad = 2117;
constexpr int plateQuad = 2118;            // level 5: four plates, 2118..2121
constexpr int effectQuad = 2122;
constexpr int guardianMask = 2123;
constexpr int layerQuad = 2124, layerQuad2 = 2125;
constexpr int dropQuad = 2126;
constexpr int guardianLost = 2127;
constexpr int guardianFrame = 2161;        // eight frames, 2161..2168
constexpr int guardianWon = 2169;

// Sounds of the sound pack.
constexpr int music = 2170;
constexpr int soundBounce = 2171, soundBounceFire = 2172, soundBounceBall = 2173,
              soundExplode = 2174, soundSelect = 2175, soundZap = 2176, soundShield = 2177,
              soundLaser = 2178, soundMissileLoading = 2179, soundMissileLaunch = 2180,
              soundBallLaunch = 2181, soundOnFire = 2182, soundExplosion = 2183,
              soundChaingun = 2184, soundHappyBell = 2185, soundDoor = 2186;

// Main menu: pictures 0..17 and sound 0 of the menu pack, in pack order; the quads carry the
// numbers of their pictures. They live only while the menu runs, so they share low numbers
// with nothing else.
constexpr int menuTitle = 0, menuIntroLetters = 1, menuFlashLetters = 2, menuFlashBand = 3;
constexpr int menuSubtitle = 4, menuFrame = 5;
constexpr int menuItemStart = 6, menuItemCredits = 7, menuItemQuit = 8;
constexpr int menuFooter = 9, menuSweepHead = 10, menuSpark = 11, menuGlow = 12, menuBand = 13;
constexpr int menuBackground = 14, menuPointer = 15;
constexpr int menuItemOptions = 16;        // shown between START GAME and CREDITS
constexpr int menuItemHighScores = 17;     // shown between OPTIONS and CREDITS
constexpr int menuLettersAtRest = 18;      // the three letters added together once (a sprite and its quad)
constexpr int menuIntroSound = 0;

// Pause screen: the screen grab, the pause picture and the filtered result (images).
constexpr int pauseSnapshot = 9990, pausePicture = 9991, pauseResult = 9992;
// The ending: the last frame of play, dimmed, behind the congratulation (a sprite).
constexpr int endingBackdrop = 9993;

// Level resource kinds.
constexpr int resourcePlainSprite = 2188, resourceQuadSprite = 2189;

// Pong's pictures; the console's text layer (an image) and its whole picture (an image, and a sprite
// with its quad for a sharp display).
constexpr int pongPaddle = 2000, pongBall = 2001;
constexpr int consoleText = 2003, consolePicture = 2004;

// Tetris (packs/tetris.pak): piece tiles 2244..2249 (green, red, blue, yellow, purple, cyan),
// the background layers, the row flash, the light spot, the bug tile, the music, and the two
// images the lit background is made from.
constexpr int tetrisTileFirst = 2244, tetrisTileCount = 6;
constexpr int tetrisFond = 2250, tetrisBackground = 2252, tetrisLitBackground = 2253;
constexpr int tetrisLine = 2254, tetrisLight = 2255, tetrisBug = 2256;
constexpr int tetrisMusic = 2257;
constexpr int tetrisBump = 2258, tetrisDiffuse = 2259;  // images
constexpr int fontTetrisSmall = 2260;      // Tetris's small texts
// The duck shoot's pictures ("packs/ducks.pak"). The figures face left, the way they ride the
// middle rail; the same figure facing right, for the outer rails, is its number + duckFacingRight.
constexpr int duckCannon = 2228, duckBullet = 2229;
constexpr int duckPlain = 2230, duckBlue = 2231, duckGolden = 2232;  // worth 1, 2 and 3
constexpr int duckTrolley = 2233, duckSnail = 2234, duckHen = 2235, duckCalf = 2236;
constexpr int duckFacingRight = 7;         // 2237..2243

// The sweets game's pictures ("packs/sugar.pak").
constexpr int sugarBalloon = 2193;         // six colours, 2193..2198
constexpr int sugarSweet = 2199;           // 25 sweets, 2199..2223 (the ring first)
constexpr int sugarStar = 2224, sugarLauncher = 2225, sugarShot = 2226, sugarFlash = 2227;

// Fonts.
constexpr int fontText = 0;                // "Arial black" 25, for text screens
constexpr int screenshotSprite = 9999;     // scratch sprite of the S key
constexpr int fontCredits = 2058;          // "Designer Block"
constexpr int fontPong = 2002;             // "Arial black" 80, Pong's scores
constexpr int fontConsole = 2005;          // the console's lines and Pong's small text
constexpr int fontOptions = 2261;          // the options screen's lines, "Designer Block"
constexpr int fontOptionsSmall = 2262;     // its list of the controls
constexpr int fontScores = 2263;           // the high-score screens' lines, "Designer Block"
constexpr int fontScoresLarge = 2264;      // their headline and the name being typed
constexpr int fontEditor = 2265;           // the level editor's palette and status line

// The credits pack.
constexpr int creditsTitle = 2056;         // 3D-capable
constexpr int creditsMusic = 2187;
constexpr int creditsLandscape = 2057;     // 3D-capable sprite the landscape is drawn into

}  // namespace obj
