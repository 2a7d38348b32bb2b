<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>Error</name>
        <message>
            <source>ビットマップイメージが不正です</source>
            <translation>The bitmap image is not valid</translation>
        </message>
        <message>
            <source>GIF 画像が不正です</source>
            <translation>The GIF image is not valid</translation>
        </message>
        <message>
            <source>GIF 画像が不正です (%1)</source>
            <translation>The GIF image is not valid (%1)</translation>
        </message>
        <message>
            <source>GIF に保存できません (%1)</source>
            <translation>The picture cannot be saved as GIF (%1)</translation>
        </message>
        <message>
            <source>この絵は %1 色を使っているので GIF に保存できません (GIF は 256 色まで)</source>
            <translation>This picture uses %1 colors, so it cannot be saved as GIF (GIF holds up to 256 colors)</translation>
        </message>
        <message>
            <source>画像が空なので保存できません</source>
            <translation>The picture is empty and cannot be saved</translation>
        </message>
        <message>
            <source>GIF に保存できません</source>
            <translation>The picture cannot be saved as GIF</translation>
        </message>
        <message>
            <source>JPEG エラー #%1</source>
            <translation>JPEG error #%1</translation>
        </message>
        <message>
            <source>ファイル %1 は開けません</source>
            <translation>The file %1 cannot be opened</translation>
        </message>
        <message>
            <source>ファイル %1 を作成できません</source>
            <translation>The file %1 cannot be created</translation>
        </message>
        <message>
            <source>拡張子 .%1 の画像形式は処理できません</source>
            <translation>Pictures with the extension .%1 cannot be handled</translation>
        </message>
        <message>
            <source>画像が空なので保存できません (%1 x %2)</source>
            <translation>The picture is empty and cannot be saved (%1 x %2)</translation>
        </message>
        <message>
            <source>TGA 画像が不正です (%1)</source>
            <translation>The TGA image is not valid (%1)</translation>
        </message>
        <message>
            <source>ファイルが途中で切れています</source>
            <translation>the file is cut short</translation>
        </message>
        <message>
            <source>色表の形式が読めません</source>
            <translation>the form of its color map cannot be read</translation>
        </message>
        <message>
            <source>TGA 画像が不正です (種類 %1、%2 ビットは読めません)</source>
            <translation>The TGA image is not valid (type %1 with %2 bits cannot be read)</translation>
        </message>
        <message>
            <source>大きさが 0 です</source>
            <translation>its size is 0</translation>
        </message>
        <message>
            <source>TIFF 画像が不正です</source>
            <translation>The TIFF image is not valid</translation>
        </message>
        <message>
            <source>TIFF 画像が不正です (%1)</source>
            <translation>The TIFF image is not valid (%1)</translation>
        </message>
        <message>
            <source>TIFF に保存できません</source>
            <translation>The picture cannot be saved as TIFF</translation>
        </message>
        <message>
            <source>TIFF に保存できません (%1)</source>
            <translation>The picture cannot be saved as TIFF (%1)</translation>
        </message>
        <message>
            <source>WebP 画像が不正です (libwebp の状態 %1)</source>
            <translation>The WebP image is not valid (libwebp status %1)</translation>
        </message>
        <message>
            <source>動く WebP 画像は読めません</source>
            <translation>Animated WebP images cannot be read</translation>
        </message>
        <message>
            <source>WebP に保存できません (libwebp の状態 %1)</source>
            <translation>The picture cannot be saved as WebP (libwebp status %1)</translation>
        </message>
        <message>
            <source>ビットマップが大きすぎます (%1 x %2)</source>
            <translation>The bitmap is too large (%1 x %2)</translation>
        </message>
        <message>
            <source>メモリが不足しています</source>
            <translation>There is not enough memory</translation>
        </message>
    </context>
    <context>
        <name>Hint</name>
        <message>
            <source> 「%1」に上書き保存</source>
            <translation> Save over "%1"</translation>
        </message>
    </context>
    <context>
        <name>ParameterSet</name>
        <message>
            <source>単色ツリー（４Ｘ２）</source>
            <translation>Single-color tree (4x2)</translation>
        </message>
        <message>
            <source>単色ツリー（６Ｘ２）</source>
            <translation>Single-color tree (6x2)</translation>
        </message>
        <message>
            <source>単色ツリー（６Ｘ３）</source>
            <translation>Single-color tree (6x3)</translation>
        </message>
        <message>
            <source>単色ツリー（６Ｘ４）</source>
            <translation>Single-color tree (6x4)</translation>
        </message>
        <message>
            <source>変色ツリー（６Ｘ３）</source>
            <translation>Color-changing tree (6x3)</translation>
        </message>
        <message>
            <source>変色ツリー（６Ｘ４）</source>
            <translation>Color-changing tree (6x4)</translation>
        </message>
        <message>
            <source>雑草</source>
            <translation>Weeds</translation>
        </message>
        <message>
            <source>雪の結晶</source>
            <translation>Snowflake</translation>
        </message>
    </context>
    <context>
        <name>PixelFormat</name>
        <message>
            <source>Device依存</source>
            <translation>Device</translation>
        </message>
        <message>
            <source>白黒</source>
            <translation>Mono</translation>
        </message>
        <message>
            <source>16色</source>
            <translation>16 colors</translation>
        </message>
        <message>
            <source>256色</source>
            <translation>256 colors</translation>
        </message>
    </context>
    <context>
        <name>TCchangeform</name>
        <message>
            <source>色変換</source>
            <translation>Color Change</translation>
        </message>
        <message>
            <source>変換範囲</source>
            <translation>Range</translation>
        </message>
        <message>
            <source>変換後の色</source>
            <translation>New color</translation>
        </message>
    </context>
    <context>
        <name>TForm1</name>
        <message>
            <source>座標</source>
            <translation>Position</translation>
        </message>
        <message>
            <source>移動距離</source>
            <translation>Distance</translation>
        </message>
        <message>
            <source>角度</source>
            <translation>Angle</translation>
        </message>
        <message>
            <source>保存していない変更があると「変更あり」</source>
            <translation>Shows "Changed" while there are unsaved changes</translation>
        </message>
        <message>
            <source>自由曲線(1)</source>
            <translation>Freehand curve (1)</translation>
        </message>
        <message>
            <source>直線(2)</source>
            <translation>Line (2)</translation>
        </message>
        <message>
            <source>楕円(3)</source>
            <translation>Ellipse (3)</translation>
        </message>
        <message>
            <source>三角形(4)</source>
            <translation>Triangle (4)</translation>
        </message>
        <message>
            <source>四角形(5)</source>
            <translation>Rectangle (5)</translation>
        </message>
        <message>
            <source>角丸四角(6)</source>
            <translation>Rounded rectangle (6)</translation>
        </message>
        <message>
            <source>正N角形(7)</source>
            <translation>Regular N-gon (7)</translation>
        </message>
        <message>
            <source>その他の図形(8)</source>
            <translation>Other shapes (8)</translation>
        </message>
        <message>
            <source>領域塗りつぶし(q)</source>
            <translation>Area fill (q)</translation>
        </message>
        <message>
            <source>スポイト(w)</source>
            <translation>Eyedropper (w)</translation>
        </message>
        <message>
            <source>スプレー(e)</source>
            <translation>Spray (e)</translation>
        </message>
        <message>
            <source>領域編集(r)</source>
            <translation>Region editing (r)</translation>
        </message>
        <message>
            <source>貼付け(t)</source>
            <translation>Paste (t)</translation>
        </message>
        <message>
            <source>連続貼付け(y)</source>
            <translation>Stamp (y)</translation>
        </message>
        <message>
            <source>任意サイズ貼付け(u)</source>
            <translation>Stretch paste (u)</translation>
        </message>
        <message>
            <source>任意角度貼付(i)</source>
            <translation>Rotate paste (i)</translation>
        </message>
        <message>
            <source>即終了(&amp;Z)</source>
            <translation>&amp;Quit without Saving</translation>
        </message>
        <message>
            <source>絵を保存せずに終了します</source>
            <translation>Exits without saving the picture</translation>
        </message>
        <message>
            <source>新規作成(&amp;N)</source>
            <translation>&amp;New</translation>
        </message>
        <message>
            <source>キャンバスを新しくします</source>
            <translation>Starts a new canvas</translation>
        </message>
        <message>
            <source>絵を開く(&amp;O)</source>
            <translation>&amp;Open</translation>
        </message>
        <message>
            <source>画像ファイルを読み込みます</source>
            <translation>Reads a picture file</translation>
        </message>
        <message>
            <source>上書き保存(&amp;S)</source>
            <translation>&amp;Save</translation>
        </message>
        <message>
            <source>現在のファイルに上書き保存します</source>
            <translation>Saves over the current file</translation>
        </message>
        <message>
            <source>名前をつけて保存(&amp;A)</source>
            <translation>Save &amp;As</translation>
        </message>
        <message>
            <source>新しくファイル名をつけて保存します</source>
            <translation>Saves under a new file name</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)</source>
            <translation>&amp;Undo</translation>
        </message>
        <message>
            <source>１つ前の操作に戻します</source>
            <translation>Goes back one operation</translation>
        </message>
        <message>
            <source>始点ロック</source>
            <translation>Origin lock</translation>
        </message>
        <message>
            <source>連続描画</source>
            <translation>Continuous drawing</translation>
        </message>
        <message>
            <source>点対称描画</source>
            <translation>Point symmetry</translation>
        </message>
        <message>
            <source>拡大図(&amp;Z)</source>
            <translation>&amp;Zoom Window</translation>
        </message>
        <message>
            <source>拡大図の表示／非表示</source>
            <translation>Shows or hides the zoom window</translation>
        </message>
        <message>
            <source>rirのON/OFF</source>
            <translation>rir on/off</translation>
        </message>
        <message>
            <source>座標パネル(&amp;P)</source>
            <translation>&amp;Coordinate Bar</translation>
        </message>
        <message>
            <source>座標パネルの表示／非表示</source>
            <translation>Shows or hides the coordinate bar</translation>
        </message>
        <message>
            <source>ツールパレット(&amp;T)</source>
            <translation>&amp;Tool Palette</translation>
        </message>
        <message>
            <source>ツールパレットの表示／非表示</source>
            <translation>Shows or hides the tool palette</translation>
        </message>
        <message>
            <source>終了(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>終了します</source>
            <translation>Exits</translation>
        </message>
        <message>
            <source>確認</source>
            <translation>Confirm</translation>
        </message>
        <message>
            <source>絵を保存しますか</source>
            <translation>Save the picture?</translation>
        </message>
        <message>
            <source>すべてのファイル|*.*</source>
            <translation>All files|*.*</translation>
        </message>
        <message>
            <source>角度固定</source>
            <translation>Fixed angle</translation>
        </message>
        <message>
            <source>固定角度</source>
            <translation>Fixed angle</translation>
        </message>
        <message>
            <source>ヒント</source>
            <translation>Hint</translation>
        </message>
        <message>
            <source>変更あり</source>
            <translation>Changed</translation>
        </message>
        <message>
            <source>ファイル(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>全切り取り(&amp;T)</source>
            <translation>Cu&amp;t All</translation>
        </message>
        <message>
            <source>全コピー(&amp;C)</source>
            <translation>&amp;Copy All</translation>
        </message>
        <message>
            <source>全貼り付け(&amp;P)</source>
            <translation>&amp;Paste All</translation>
        </message>
        <message>
            <source>全域選択(&amp;E)</source>
            <translation>S&amp;elect All</translation>
        </message>
        <message>
            <source>ファイルから貼り付け(&amp;F)</source>
            <translation>Paste from &amp;File</translation>
        </message>
        <message>
            <source>拡大縮小(&amp;R)</source>
            <translation>Re&amp;size</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>目次(&amp;C)</source>
            <translation>&amp;Contents</translation>
        </message>
        <message>
            <source>バージョン(&amp;V)</source>
            <translation>&amp;Version</translation>
        </message>
        <message>
            <source>切り取り(&amp;T)</source>
            <translation>Cu&amp;t</translation>
        </message>
        <message>
            <source>コピー(&amp;C)</source>
            <translation>&amp;Copy</translation>
        </message>
        <message>
            <source>ファイルへ保存(&amp;S)</source>
            <translation>&amp;Save to File</translation>
        </message>
        <message>
            <source>左右反転(&amp;H)</source>
            <translation>Flip &amp;Horizontal</translation>
        </message>
        <message>
            <source>上下反転(&amp;V)</source>
            <translation>Flip &amp;Vertical</translation>
        </message>
        <message>
            <source>色変換(&amp;E)</source>
            <translation>Color Chang&amp;e</translation>
        </message>
        <message>
            <source>部分回復(&amp;P)</source>
            <translation>&amp;Partial Restore</translation>
        </message>
        <message>
            <source>ブラシ読み込み(&amp;B)</source>
            <translation>Load &amp;Brush</translation>
        </message>
        <message>
            <source>グラデーション(&amp;G)</source>
            <translation>&amp;Gradient</translation>
        </message>
        <message>
            <source>横縞(&amp;H)</source>
            <translation>&amp;Horizontal Stripes</translation>
        </message>
        <message>
            <source>縦縞(&amp;V)</source>
            <translation>&amp;Vertical Stripes</translation>
        </message>
        <message>
            <source>キャンセル(&amp;Q)</source>
            <translation>Ca&amp;ncel</translation>
        </message>
        <message>
            <source>ヘルプ</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>度</source>
            <translation>°</translation>
        </message>
        <message>
            <source>描画中</source>
            <translation>Drawing</translation>
        </message>
        <message>
            <source>拡大表示(&amp;I)</source>
            <translation>Zoom &amp;In</translation>
        </message>
        <message>
            <source>表示を拡大します</source>
            <translation>Magnifies the view</translation>
        </message>
        <message>
            <source>縮小表示(&amp;O)</source>
            <translation>Zoom &amp;Out</translation>
        </message>
        <message>
            <source>表示を縮小します</source>
            <translation>Shrinks the view</translation>
        </message>
        <message>
            <source>等倍表示(&amp;A)</source>
            <translation>&amp;Actual Size</translation>
        </message>
        <message>
            <source>絵を１対１で表示します</source>
            <translation>Shows the picture one to one</translation>
        </message>
        <message>
            <source>全体表示</source>
            <translation>Whole Picture</translation>
        </message>
        <message>
            <source>絵の全体を表示します</source>
            <translation>Shows the whole picture</translation>
        </message>
        <message>
            <source>グリッド</source>
            <translation>Grid</translation>
        </message>
        <message>
            <source>４倍以上でピクセルの境目を表示します</source>
            <translation>Shows the borders of the pixels from 4 times up</translation>
        </message>
        <message>
            <source>表示倍率</source>
            <translation>Zoom of the view</translation>
        </message>
        <message>
            <source>左上</source>
            <translation>Top left</translation>
        </message>
        <message>
            <source>右上(内)</source>
            <translation>Top right (in)</translation>
        </message>
        <message>
            <source>右上(外)</source>
            <translation>Top right (out)</translation>
        </message>
        <message>
            <source>左下(内）</source>
            <translation>Bottom left (in)</translation>
        </message>
        <message>
            <source>左下(外）</source>
            <translation>Bottom left (out)</translation>
        </message>
        <message>
            <source>右下(内)</source>
            <translation>Bottom right (in)</translation>
        </message>
        <message>
            <source>右下(外)</source>
            <translation>Bottom right (out)</translation>
        </message>
        <message>
            <source>X座標</source>
            <translation>X coordinate</translation>
        </message>
        <message>
            <source>Ｙ座標</source>
            <translation>Y coordinate</translation>
        </message>
        <message>
            <source>テキスト(a)</source>
            <translation>Text (a)</translation>
        </message>
        <message>
            <source>任意角度テキスト(s)</source>
            <translation>Angled text (s)</translation>
        </message>
    </context>
    <context>
        <name>TForm2</name>
        <message>
            <source>二重四角 回</source>
            <translation>Double rectangle ▣</translation>
        </message>
        <message>
            <source>二十円 ◎</source>
            <translation>Double ellipse ◎</translation>
        </message>
        <message>
            <source>矢印 →</source>
            <translation>Arrow →</translation>
        </message>
        <message>
            <source>矢印 ⇒</source>
            <translation>Arrow ⇒</translation>
        </message>
        <message>
            <source>抵抗 /Ｗ</source>
            <translation>Resistor /W</translation>
        </message>
        <message>
            <source>ルーペ ―○</source>
            <translation>Loupe ―○</translation>
        </message>
        <message>
            <source>ルーペ ―□</source>
            <translation>Loupe ―□</translation>
        </message>
        <message>
            <source>十字 ×</source>
            <translation>Cross ×</translation>
        </message>
        <message>
            <source>ツールパレット(各ボタンはキーボードに対応）</source>
            <translation>Tool palette (each button has its key)</translation>
        </message>
        <message>
            <source>Ｎ角形のＮ</source>
            <translation>The N of the N-gon</translation>
        </message>
        <message>
            <source>図形選択</source>
            <translation>Choose a shape</translation>
        </message>
        <message>
            <source>パラメータ</source>
            <translation>Parameter</translation>
        </message>
        <message>
            <source>テキスト入力</source>
            <translation>Text input</translation>
        </message>
        <message>
            <source>ヘルプ</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>パラメータ：%1</source>
            <translation>Parameter: %1</translation>
        </message>
    </context>
    <context>
        <name>TForm3</name>
        <message>
            <source>ヘルプ</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>木構造</source>
            <translation>Tree</translation>
        </message>
        <message>
            <source>コッホ曲線</source>
            <translation>Koch curve</translation>
        </message>
        <message>
            <source>編集</source>
            <translation>Edit</translation>
        </message>
        <message>
            <source>繰り返し</source>
            <translation>Repeat</translation>
        </message>
        <message>
            <source>枝別れの回数</source>
            <translation>Number of branchings</translation>
        </message>
        <message>
            <source>枝の本数</source>
            <translation>Number of branches</translation>
        </message>
        <message>
            <source>枝の縮率</source>
            <translation>Shrink ratio of the branches</translation>
        </message>
        <message>
            <source>ランダムさ</source>
            <translation>Randomness</translation>
        </message>
        <message>
            <source>枝の開き角度</source>
            <translation>Opening angle of the branches</translation>
        </message>
        <message>
            <source>自動色変換</source>
            <translation>Colors by level</translation>
        </message>
        <message>
            <source>色</source>
            <translation>C</translation>
        </message>
        <message>
            <source>左から順、上ペン色、下背景色</source>
            <translation>Levels from the left; top: pen color, bottom: fill color</translation>
        </message>
        <message>
            <source>自動枝細</source>
            <translation>Thinner branches by level</translation>
        </message>
        <message>
            <source>細</source>
            <translation>T</translation>
        </message>
        <message>
            <source>枝細程度</source>
            <translation>How much thinner</translation>
        </message>
        <message>
            <source>パラメータセット</source>
            <translation>Ready-made settings</translation>
        </message>
        <message>
            <source>再帰回数</source>
            <translation>Number of recursions</translation>
        </message>
        <message>
            <source>山の高さ</source>
            <translation>Height of the peak</translation>
        </message>
        <message>
            <source>山の幅</source>
            <translation>Width of the peak</translation>
        </message>
        <message>
            <source>子線Ｎｏ</source>
            <translation>Child line No.</translation>
        </message>
        <message>
            <source>親</source>
            <translation>Par.</translation>
        </message>
        <message>
            <source>親の線も描く</source>
            <translation>Draw the parent lines too</translation>
        </message>
        <message>
            <source>座標の変位</source>
            <translation>Shift of the coordinates</translation>
        </message>
        <message>
            <source>回数</source>
            <translation>No.</translation>
        </message>
        <message>
            <source>上ペン色、下背景色</source>
            <translation>Top: pen color, bottom: fill color</translation>
        </message>
        <message>
            <source>rir（描画時間%1</source>
            <translation>rir (drawing time %1</translation>
        </message>
    </context>
    <context>
        <name>TForm4</name>
        <message>
            <source>拡大倍率</source>
            <translation>Magnification</translation>
        </message>
        <message>
            <source>追跡拡大ｏｎ／ｏｆｆ</source>
            <translation>Track the pointer on/off</translation>
        </message>
        <message>
            <source>ズーム位置の設定</source>
            <translation>Set the zoom position</translation>
        </message>
        <message>
            <source>スクロール速度</source>
            <translation>Scroll speed</translation>
        </message>
        <message>
            <source>ズーム位置移動</source>
            <translation>Move the zoom position</translation>
        </message>
    </context>
    <context>
        <name>TForm5</name>
        <message>
            <source>バージョン情報</source>
            <translation>About</translation>
        </message>
        <message>
            <source>バージョン</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>作: ずどぞ工房</source>
            <translation>Zudozo Works</translation>
        </message>
        <message>
            <source>作者です</source>
            <translation>The author</translation>
        </message>
        <message>
            <source>あなたは今不正な処理を行いました</source>
            <translation>You have just performed an illegal operation</translation>
        </message>
    </context>
    <context>
        <name>TForm7</name>
        <message>
            <source>PNGの設定</source>
            <translation>PNG Settings</translation>
        </message>
        <message>
            <source>透過</source>
            <translation>Clear</translation>
        </message>
        <message>
            <source>透過色</source>
            <translation>Transp. color</translation>
        </message>
        <message>
            <source>圧縮率</source>
            <translation>Level</translation>
        </message>
        <message>
            <source>インタレース</source>
            <translation>Interlace</translation>
        </message>
    </context>
    <context>
        <name>THelpWindow</name>
        <message>
            <source>Zudozo ヘルプ</source>
            <translation>Zudozo Help</translation>
        </message>
    </context>
    <context>
        <name>THistoryCommands</name>
        <message>
            <source>元に戻す(&amp;Z)</source>
            <translation>Un&amp;do Step</translation>
        </message>
        <message>
            <source>操作を１つずつ取り消します</source>
            <translation>Takes back the changes one at a time</translation>
        </message>
        <message>
            <source>やり直し(&amp;Y)</source>
            <translation>&amp;Redo</translation>
        </message>
        <message>
            <source>取り消した操作をやり直します</source>
            <translation>Makes an undone change again</translation>
        </message>
        <message>
            <source>メモリ不足のため、それまでの履歴を消しました</source>
            <translation>Out of memory: the history so far was cleared</translation>
        </message>
        <message>
            <source>メモリ不足のため、元に戻せません</source>
            <translation>Out of memory: cannot undo</translation>
        </message>
        <message>
            <source>メモリ不足のため、やり直せません</source>
            <translation>Out of memory: cannot redo</translation>
        </message>
    </context>
    <context>
        <name>TNewBMPForm</name>
        <message>
            <source>新規作成</source>
            <translation>New</translation>
        </message>
        <message>
            <source>既存の画像は破棄されます</source>
            <translation>The current picture is discarded</translation>
        </message>
        <message>
            <source>ビットマップの幅</source>
            <translation>Width of the bitmap</translation>
        </message>
        <message>
            <source>ビットマップの高さ</source>
            <translation>Height of the bitmap</translation>
        </message>
        <message>
            <source>ビットマップの色数を指定</source>
            <translation>Number of colors of the bitmap</translation>
        </message>
        <message>
            <source>Device依存</source>
            <translation>Device</translation>
        </message>
    </context>
    <context>
        <name>TPstatePanel</name>
        <message>
            <source>ペンの状態パネル</source>
            <translation>Pen settings panel</translation>
        </message>
        <message>
            <source>左右ペン色</source>
            <translation>Left and right pen colors</translation>
        </message>
        <message>
            <source>ペンの大きさ(→　←)</source>
            <translation>Pen width (→ ←)</translation>
        </message>
        <message>
            <source>フォントの大きさ(↑↓)</source>
            <translation>Font size (↑↓)</translation>
        </message>
        <message>
            <source>塗りつぶし設定(z,x)</source>
            <translation>Fill (z,x)</translation>
        </message>
        <message>
            <source>ペンモード設定(c,v)</source>
            <translation>Pen mode (c,v)</translation>
        </message>
        <message>
            <source>カラーサンプル</source>
            <translation>Color samples</translation>
        </message>
        <message>
            <source>RGB値（赤）</source>
            <translation>RGB value (red)</translation>
        </message>
        <message>
            <source>RGB値（緑）</source>
            <translation>RGB value (green)</translation>
        </message>
        <message>
            <source>RGB値（青）</source>
            <translation>RGB value (blue)</translation>
        </message>
        <message>
            <source>フォント名</source>
            <translation>Font name</translation>
        </message>
        <message>
            <source>強調</source>
            <translation>Bold letters</translation>
        </message>
        <message>
            <source>斜体</source>
            <translation>Italic letters</translation>
        </message>
        <message>
            <source>下線</source>
            <translation>Underlined letters</translation>
        </message>
        <message>
            <source>取り消し線</source>
            <translation>Struck-out letters</translation>
        </message>
        <message>
            <source>文字の角度</source>
            <translation>Angle of the letters</translation>
        </message>
    </context>
    <context>
        <name>TRecoveryOfferForm</name>
        <message>
            <source>（名前のない絵）</source>
            <translation>(untitled picture)</translation>
        </message>
        <message>
            <source>復元</source>
            <translation>Restore</translation>
        </message>
        <message>
            <source>前回終了時に保存されなかった絵があります。復元しますか？</source>
            <translation>An unsaved picture from the last session was found. Restore it?</translation>
        </message>
        <message>
            <source>破棄</source>
            <translation>Discard</translation>
        </message>
        <message>
            <source>後で</source>
            <translation>Later</translation>
        </message>
        <message>
            <source>前回終了時に保存されなかった絵の控えが壊れているため、復元できません。
控えは %1 として残しました。</source>
            <translation>The copy of a picture that was not saved in the last session is damaged and cannot be restored.
The copy was kept as %1.</translation>
        </message>
    </context>
    <context>
        <name>TRecoveryScheduler</name>
        <message>
            <source>復元用の控えを書き込めないため、保存していない絵は守られていません</source>
            <translation>The recovery copy cannot be written: unsaved work is not protected</translation>
        </message>
        <message>
            <source>復元用の控えをまた書き込めるようになりました</source>
            <translation>The recovery copy can be written again</translation>
        </message>
    </context>
    <context>
        <name>Tresizeform</name>
        <message>
            <source>拡大縮小</source>
            <translation>Resize</translation>
        </message>
        <message>
            <source>拡大率(%)</source>
            <translation>Ratio (%)</translation>
        </message>
    </context>
</TS>
