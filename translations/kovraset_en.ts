<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>kovra</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kovra::AnalogSettingsDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>ADCサンプリングSPS:</source>
        <translation>ADC sampling (SPS):</translation>
    </message>
    <message>
        <source>AI%1:</source>
        <translation>AI%1:</translation>
    </message>
    <message>
        <source>アナログ出力初期値</source>
        <translation>Analog output initial values</translation>
    </message>
    <message>
        <source>電圧(V)</source>
        <translation>Voltage (V)</translation>
    </message>
    <message>
        <source>電流(mA)</source>
        <translation>Current (mA)</translation>
    </message>
    <message>
        <source>AO%1</source>
        <translation>AO%1</translation>
    </message>
</context>
<context>
    <name>kovra::ClassicMailDialog</name>
    <message>
        <source>メールアラート設定</source>
        <translation>Mail alert settings</translation>
    </message>
    <message>
        <source>テスト送信</source>
        <translation>Send test</translation>
    </message>
    <message>
        <source>SMTPサーバアドレス:</source>
        <translation>SMTP server address:</translation>
    </message>
    <message>
        <source>SMTPサーバポート番号:</source>
        <translation>SMTP server port:</translation>
    </message>
    <message>
        <source>SMTP-AUTH認証あり</source>
        <translation>SMTP-AUTH authentication</translation>
    </message>
    <message>
        <source>認証ユーザー名:</source>
        <translation>Authentication user name:</translation>
    </message>
    <message>
        <source>認証パスワード:</source>
        <translation>Authentication password:</translation>
    </message>
    <message>
        <source>送信元メールアドレス:</source>
        <translation>Sender mail address:</translation>
    </message>
    <message>
        <source>送信先メールアドレス１:</source>
        <translation>Recipient mail address 1:</translation>
    </message>
    <message>
        <source>送信先メールアドレス２:</source>
        <translation>Recipient mail address 2:</translation>
    </message>
    <message>
        <source>メッセージ:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>DI%1 有効</source>
        <translation>DI%1 enabled</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>QM-210 / QM-220 / QM-230</source>
        <translation>QM-210 / QM-220 / QM-230</translation>
    </message>
    <message>
        <source>AIメールアラート(QM-210)</source>
        <translation>AI mail alert (QM-210)</translation>
    </message>
    <message>
        <source>Low(%)</source>
        <translation>Low(%)</translation>
    </message>
    <message>
        <source>High(%)</source>
        <translation>High(%)</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>AI%1</source>
        <translation>AI%1</translation>
    </message>
    <message>
        <source>範囲内</source>
        <translation>Inside</translation>
    </message>
    <message>
        <source>範囲外</source>
        <translation>Outside</translation>
    </message>
    <message>
        <source>点灯時</source>
        <translation>When lit</translation>
    </message>
    <message>
        <source>消灯時</source>
        <translation>When unlit</translation>
    </message>
</context>
<context>
    <name>kovra::ConnectionsDialog</name>
    <message>
        <source>入力延長</source>
        <translation>Input extension</translation>
    </message>
    <message>
        <source>自ポート</source>
        <translation>Own port</translation>
    </message>
    <message>
        <source>接続先IPアドレス</source>
        <translation>Destination IP address</translation>
    </message>
    <message>
        <source>接続先ポート</source>
        <translation>Destination port</translation>
    </message>
    <message>
        <source>接続%1</source>
        <translation>Connection %1</translation>
    </message>
    <message>
        <source>切断時間</source>
        <translation>Disconnect time</translation>
    </message>
    <message>
        <source>定期通知時間</source>
        <translation>Periodic notification</translation>
    </message>
    <message>
        <source>チャタリングフィルタ</source>
        <translation>Chattering filter</translation>
    </message>
    <message>
        <source>無通信時リセット要求</source>
        <translation>Reset request on no communication</translation>
    </message>
    <message>
        <source>個別延長設定</source>
        <translation>Individual extension</translation>
    </message>
    <message>
        <source>入出力延長設定</source>
        <translation>Input/output extension</translation>
    </message>
    <message>
        <source>初期状態に戻す</source>
        <translation>Reset to defaults</translation>
    </message>
    <message>
        <source>チェック状態の入力が、対向機へ延長されます。</source>
        <translation>Checked inputs are extended to the peer unit.</translation>
    </message>
    <message>
        <source>DI%1</source>
        <translation>DI%1</translation>
    </message>
    <message>
        <source>対向機の出力ポート</source>
        <translation>Peer output port</translation>
    </message>
    <message>
        <source>対向機の入力ポート</source>
        <translation>Peer input port</translation>
    </message>
    <message>
        <source>DI%1:</source>
        <translation>DI%1:</translation>
    </message>
    <message>
        <source>延長しない</source>
        <translation>Do not extend</translation>
    </message>
    <message>
        <source>DO</source>
        <translation>DO</translation>
    </message>
    <message>
        <source>DO%1:</source>
        <translation>DO%1:</translation>
    </message>
    <message>
        <source>反映しない</source>
        <translation>Do not reflect</translation>
    </message>
    <message>
        <source>DI</source>
        <translation>DI</translation>
    </message>
    <message>
        <source>通常モード</source>
        <translation>Normal mode</translation>
    </message>
    <message>
        <source>UDP通信モード</source>
        <translation>UDP mode</translation>
    </message>
    <message>
        <source>旧KOVRAモード</source>
        <translation>Old KOVRA mode</translation>
    </message>
    <message>
        <source>ModbusTCPモード</source>
        <translation>Modbus TCP mode</translation>
    </message>
</context>
<context>
    <name>kovra::DiagnosisWindow</name>
    <message>
        <source>診断</source>
        <translation>Diagnosis</translation>
    </message>
    <message>
        <source>再診断(&amp;R)</source>
        <translation>&amp;Run again</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>診断しています...</source>
        <translation>Diagnosing...</translation>
    </message>
    <message>
        <source>診断結果</source>
        <translation>Diagnosis result</translation>
    </message>
</context>
<context>
    <name>kovra::DoAlertDialog</name>
    <message>
        <source>DOアラート設定</source>
        <translation>DO alert settings</translation>
    </message>
    <message>
        <source>AI1</source>
        <translation>AI1</translation>
    </message>
    <message>
        <source>AI2</source>
        <translation>AI2</translation>
    </message>
    <message>
        <source>AI3</source>
        <translation>AI3</translation>
    </message>
    <message>
        <source>範囲内</source>
        <translation>Inside</translation>
    </message>
    <message>
        <source>範囲外</source>
        <translation>Outside</translation>
    </message>
    <message>
        <source>消灯閾値優先</source>
        <translation>Off threshold first</translation>
    </message>
    <message>
        <source>点灯閾値優先</source>
        <translation>On threshold first</translation>
    </message>
    <message>
        <source>監視対象AI</source>
        <translation>Monitored AI</translation>
    </message>
    <message>
        <source>LED点灯条件</source>
        <translation>LED condition</translation>
    </message>
    <message>
        <source>High</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>アナログ閾値 ( %1 )</source>
        <translation>Analog threshold ( %1 )</translation>
    </message>
</context>
<context>
    <name>kovra::DoModesDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Keepalive time(sec):</source>
        <translation>Keepalive time(sec):</translation>
    </message>
    <message>
        <source>DO%1</source>
        <translation>DO%1</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>起動時ON</source>
        <translation>ON at start</translation>
    </message>
    <message>
        <source>ワンショット</source>
        <translation>One-shot</translation>
    </message>
    <message>
        <source>x100msec</source>
        <translation>x100msec</translation>
    </message>
    <message>
        <source>出力端子の設定を初期状態に戻す</source>
        <translation>Reset the outputs to their defaults</translation>
    </message>
</context>
<context>
    <name>kovra::EntryMailDialog</name>
    <message>
        <source>メールアラート設定</source>
        <translation>Mail alert settings</translation>
    </message>
    <message>
        <source>DI%1</source>
        <translation>DI%1</translation>
    </message>
    <message>
        <source>メールアラート無効</source>
        <translation>No mail alert</translation>
    </message>
    <message>
        <source>LOで有効</source>
        <translation>On LO</translation>
    </message>
    <message>
        <source>HIで有効</source>
        <translation>On HI</translation>
    </message>
    <message>
        <source>SMTPサーバアドレス:</source>
        <translation>SMTP server address:</translation>
    </message>
    <message>
        <source>SMTPサーバポート番号:</source>
        <translation>SMTP server port:</translation>
    </message>
    <message>
        <source>認証ユーザー名:</source>
        <translation>Authentication user name:</translation>
    </message>
    <message>
        <source>認証パスワード:</source>
        <translation>Authentication password:</translation>
    </message>
    <message>
        <source>送信元メールアドレス:</source>
        <translation>Sender mail address:</translation>
    </message>
    <message>
        <source>送信先メールアドレス１:</source>
        <translation>Recipient mail address 1:</translation>
    </message>
    <message>
        <source>送信先メールアドレス２:</source>
        <translation>Recipient mail address 2:</translation>
    </message>
    <message>
        <source>メッセージ:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>サーバ設定等をDI1の設定からコピーする</source>
        <translation>Copy the server settings and the rest from DI1</translation>
    </message>
    <message>
        <source>テスト送信</source>
        <translation>Send test</translation>
    </message>
</context>
<context>
    <name>kovra::FiveChannelMailDialog</name>
    <message>
        <source>メールアラート設定</source>
        <translation>Mail alert settings</translation>
    </message>
    <message>
        <source>テスト送信</source>
        <translation>Send test</translation>
    </message>
    <message>
        <source>SMTPサーバアドレス:</source>
        <translation>SMTP server address:</translation>
    </message>
    <message>
        <source>SMTPサーバポート番号:</source>
        <translation>SMTP server port:</translation>
    </message>
    <message>
        <source>SMTP-AUTH認証あり</source>
        <translation>SMTP-AUTH authentication</translation>
    </message>
    <message>
        <source>認証ユーザー名:</source>
        <translation>Authentication user name:</translation>
    </message>
    <message>
        <source>認証パスワード:</source>
        <translation>Authentication password:</translation>
    </message>
    <message>
        <source>送信元メールアドレス:</source>
        <translation>Sender mail address:</translation>
    </message>
    <message>
        <source>送信先メールアドレス１:</source>
        <translation>Recipient mail address 1:</translation>
    </message>
    <message>
        <source>送信先メールアドレス２:</source>
        <translation>Recipient mail address 2:</translation>
    </message>
    <message>
        <source>メッセージ:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>AIアラート</source>
        <translation>AI alert</translation>
    </message>
    <message>
        <source>DO%1 アラート有効</source>
        <translation>DO%1 alert enabled</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>DOアラート</source>
        <translation>DO alert</translation>
    </message>
</context>
<context>
    <name>kovra::KeepAliveTimeDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Keepalive time(sec):</source>
        <translation>Keepalive time(sec):</translation>
    </message>
</context>
<context>
    <name>kovra::KeepAliveWifiDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Keepalive idle(sec):</source>
        <translation>Keepalive idle(sec):</translation>
    </message>
    <message>
        <source>Keepalive interval(sec):</source>
        <translation>Keepalive interval(sec):</translation>
    </message>
    <message>
        <source>Keepalive count(sec):</source>
        <translation>Keepalive count(sec):</translation>
    </message>
    <message>
        <source>STAモード</source>
        <translation>STA mode</translation>
    </message>
    <message>
        <source>APモード</source>
        <translation>AP mode</translation>
    </message>
    <message>
        <source>SSID:</source>
        <translation>SSID:</translation>
    </message>
    <message>
        <source>パスワード:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>IPアドレス:</source>
        <translation>IP address:</translation>
    </message>
    <message>
        <source>サブネットマスク:</source>
        <translation>Subnet mask:</translation>
    </message>
    <message>
        <source>デフォルトゲートウェイ:</source>
        <translation>Default gateway:</translation>
    </message>
    <message>
        <source>チャンネル:</source>
        <translation>Channel:</translation>
    </message>
</context>
<context>
    <name>kovra::MainWindow</name>
    <message>
        <source>KOVRAset</source>
        <translation>KOVRAset</translation>
    </message>
    <message>
        <source>ネットワークデバイス選択(&amp;N):</source>
        <translation>&amp;Network adapter:</translation>
    </message>
    <message>
        <source>デバイスリスト(&amp;D)</source>
        <translation>&amp;Device list</translation>
    </message>
    <message>
        <source>MACアドレス</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>IPアドレス</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>機種</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>デバイスリストを保存(&amp;E)...</source>
        <translation>&amp;Export the device list...</translation>
    </message>
    <message>
        <source>KOVRAポート(&amp;P) :</source>
        <translation>KOVRA &amp;port:</translation>
    </message>
    <message>
        <source>検索(&amp;S)</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>IPアドレス(&amp;I):</source>
        <translation>&amp;IP address:</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>IPアドレスの設定</source>
        <translation>IP address setting</translation>
    </message>
    <message>
        <source>IPアドレスの自動取得</source>
        <translation>Obtain the IP address automatically</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>PING</source>
        <translation>PING</translation>
    </message>
    <message>
        <source>設定するIPアドレス</source>
        <translation>IP address to set</translation>
    </message>
    <message>
        <source>サブネットマスク</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <source>デフォルトゲートウェイ</source>
        <translation>Default gateway</translation>
    </message>
    <message>
        <source>メールアラート</source>
        <translation>Mail alert</translation>
    </message>
    <message>
        <source>入力延長</source>
        <translation>Input extension</translation>
    </message>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>設定ファイル</source>
        <translation>Setup files</translation>
    </message>
    <message>
        <source>設定一括保存</source>
        <translation>Save setup</translation>
    </message>
    <message>
        <source>設定一括書込</source>
        <translation>Write setup</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>デバイスリストを保存</source>
        <translation>Export the device list</translation>
    </message>
    <message>
        <source>CSV (*.csv);;JSON (*.json)</source>
        <translation>CSV (*.csv);;JSON (*.json)</translation>
    </message>
    <message>
        <source>デバイスリストを保存できませんでした。</source>
        <translation>The device list could not be saved.</translation>
    </message>
    <message>
        <source>診断(&amp;D)...</source>
        <translation>&amp;Diagnose...</translation>
    </message>
    <message>
        <source>IPアドレスが重複しています (同じアドレスで別のユニットが応答しています)</source>
        <translation>IP address conflict (another unit answers with the same address)</translation>
    </message>
</context>
<context>
    <name>kovra::PairMapWindow</name>
    <message>
        <source>接続先の機器なし</source>
        <translation>Peer missing</translation>
    </message>
    <message>
        <source>接続先ポートで待ち受けなし</source>
        <translation>Peer not listening on that port</translation>
    </message>
    <message>
        <source>通信モード不一致</source>
        <translation>Mode mismatch</translation>
    </message>
    <message>
        <source>入出力割当の衝突</source>
        <translation>Mapping clash</translation>
    </message>
    <message>
        <source>待ち受けポート重複</source>
        <translation>Duplicate listening ports</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>入力延長ペア一覧</source>
        <translation>Input extension pairs</translation>
    </message>
    <message>
        <source>機器</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>接続</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>接続先</source>
        <translation>Peer</translation>
    </message>
    <message>
        <source>接続先機種</source>
        <translation>Peer model</translation>
    </message>
    <message>
        <source>接続先の待ち受けポート</source>
        <translation>Peer's listening ports</translation>
    </message>
    <message>
        <source>入力→接続先出力</source>
        <translation>Input → peer output</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>読み込み中...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>入力延長の接続先が設定された機器はありません。</source>
        <translation>No unit has an input extension peer set.</translation>
    </message>
    <message>
        <source>接続 %1 件、うち不整合 %2 件</source>
        <translation>%1 links, %2 of them faulty</translation>
    </message>
    <message>
        <source>接続設定を読めなかった機器 (検索時の設定で表示): %1</source>
        <translation>Units whose connections could not be read (shown as the search read them): %1</translation>
    </message>
    <message>
        <source>入力延長ペア一覧...</source>
        <translation>Input extension pairs...</translation>
    </message>
</context>
<context>
    <name>kovra::SingleMailDialog</name>
    <message>
        <source>メールアラート設定</source>
        <translation>Mail alert settings</translation>
    </message>
    <message>
        <source>SMTP-AUTH認証あり</source>
        <translation>SMTP-AUTH authentication</translation>
    </message>
    <message>
        <source>SMTPサーバアドレス:</source>
        <translation>SMTP server address:</translation>
    </message>
    <message>
        <source>SMTPサーバポート番号:</source>
        <translation>SMTP server port:</translation>
    </message>
    <message>
        <source>認証ユーザー名:</source>
        <translation>Authentication user name:</translation>
    </message>
    <message>
        <source>認証パスワード:</source>
        <translation>Authentication password:</translation>
    </message>
    <message>
        <source>送信元メールアドレス:</source>
        <translation>Sender mail address:</translation>
    </message>
    <message>
        <source>送信先メールアドレス１:</source>
        <translation>Recipient mail address 1:</translation>
    </message>
    <message>
        <source>送信先メールアドレス２:</source>
        <translation>Recipient mail address 2:</translation>
    </message>
    <message>
        <source>メッセージ:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>テスト送信</source>
        <translation>Send test</translation>
    </message>
</context>
<context>
    <name>kovra::TcpExtensionDialog</name>
    <message>
        <source>入力延長</source>
        <translation>Input extension</translation>
    </message>
    <message>
        <source>TCP接続1 : N</source>
        <translation>TCP connection 1 : N</translation>
    </message>
    <message>
        <source>自ポート</source>
        <translation>Own port</translation>
    </message>
    <message>
        <source>接続先IPアドレス</source>
        <translation>Destination IP address</translation>
    </message>
    <message>
        <source>接続先ポート</source>
        <translation>Destination port</translation>
    </message>
    <message>
        <source>接続要求</source>
        <translation>Request connection</translation>
    </message>
    <message>
        <source>接続1</source>
        <translation>Connection 1</translation>
    </message>
    <message>
        <source>接続待ち</source>
        <translation>Wait for connection</translation>
    </message>
    <message>
        <source>接続2</source>
        <translation>Connection 2</translation>
    </message>
    <message>
        <source>接続3,4</source>
        <translation>Connections 3,4</translation>
    </message>
    <message>
        <source>切断時間</source>
        <translation>Disconnect time</translation>
    </message>
    <message>
        <source>定期通知時間</source>
        <translation>Periodic notification</translation>
    </message>
    <message>
        <source>チャタリングフィルタ</source>
        <translation>Chattering filter</translation>
    </message>
    <message>
        <source>無通信時リセット要求</source>
        <translation>Reset request on no communication</translation>
    </message>
    <message>
        <source>個別延長設定</source>
        <translation>Individual extension</translation>
    </message>
    <message>
        <source>個別延長有効</source>
        <translation>Individual extension on</translation>
    </message>
    <message>
        <source>DI%1</source>
        <translation>DI%1</translation>
    </message>
</context>
<context>
    <name>kovra::ThermoSettingsDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>ADCサンプリングSPS:</source>
        <translation>ADC sampling (SPS):</translation>
    </message>
    <message>
        <source>AI%1</source>
        <translation>AI%1</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>800000h</source>
        <translation>800000h</translation>
    </message>
    <message>
        <source>7FFFFFh</source>
        <translation>7FFFFFh</translation>
    </message>
    <message>
        <source>レンジ:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>熱電対タイプ:</source>
        <translation>Thermocouple type:</translation>
    </message>
    <message>
        <source>冷接点補償:</source>
        <translation>Cold junction compensation:</translation>
    </message>
    <message>
        <source>断線検知:</source>
        <translation>Break detection:</translation>
    </message>
    <message>
        <source>断線時出力:</source>
        <translation>Output on break:</translation>
    </message>
    <message>
        <source>出力スケール:</source>
        <translation>Output scale:</translation>
    </message>
    <message>
        <source>下限温度(℃):</source>
        <translation>Lower temperature (℃):</translation>
    </message>
    <message>
        <source>上限温度(℃):</source>
        <translation>Upper temperature (℃):</translation>
    </message>
</context>
<context>
    <name>kovra::TwoChannelMailDialog</name>
    <message>
        <source>メールアラート設定</source>
        <translation>Mail alert settings</translation>
    </message>
    <message>
        <source>SMTPサーバアドレス:</source>
        <translation>SMTP server address:</translation>
    </message>
    <message>
        <source>SMTPサーバポート番号:</source>
        <translation>SMTP server port:</translation>
    </message>
    <message>
        <source>認証ユーザー名:</source>
        <translation>Authentication user name:</translation>
    </message>
    <message>
        <source>認証パスワード:</source>
        <translation>Authentication password:</translation>
    </message>
    <message>
        <source>送信元メールアドレス:</source>
        <translation>Sender mail address:</translation>
    </message>
    <message>
        <source>送信先メールアドレス1:</source>
        <translation>Recipient mail address 1:</translation>
    </message>
    <message>
        <source>送信先メールアドレス2:</source>
        <translation>Recipient mail address 2:</translation>
    </message>
    <message>
        <source>メッセージ:</source>
        <translation>Message:</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>High</source>
        <translation>High</translation>
    </message>
    <message>
        <source>AIメールアラート</source>
        <translation>AI mail alert</translation>
    </message>
    <message>
        <source>DIメールアラート</source>
        <translation>DI mail alert</translation>
    </message>
    <message>
        <source>テスト送信</source>
        <translation>Send test</translation>
    </message>
</context>
<context>
    <name>kovra::UdpKeepAliveDialog</name>
    <message>
        <source>その他の設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>UDP通信モード</source>
        <translation>UDP mode</translation>
    </message>
    <message>
        <source>Keepalive idle(sec):</source>
        <translation>Keepalive idle(sec):</translation>
    </message>
    <message>
        <source>Keepalive interval(sec):</source>
        <translation>Keepalive interval(sec):</translation>
    </message>
    <message>
        <source>Keepalive count(sec):</source>
        <translation>Keepalive count(sec):</translation>
    </message>
    <message>
        <source>ADCサンプリングSPS:</source>
        <translation>ADC sampling (SPS):</translation>
    </message>
</context>
</TS>