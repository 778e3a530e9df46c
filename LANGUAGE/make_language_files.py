#!/usr/bin/env python3
"""Writes English.txt and Türkçe.txt, the two language files shipped with VELMORA.

A language file holds one text per line and the line number is the key: the program puts line n on
its fixed control or into its fixed message-table element. Both files therefore have exactly 418
lines, are stored in the Windows-1254 code page and end every line (the last one included) with
CR LF.

Each entry below is  line: (English, Turkish).  Choice texts begin with the numeric code of the
choice, because the program takes the value of a choice cell or list entry from its leading number.

Run it from anywhere:  python3 LANGUAGE/make_language_files.py
"""

import os
import sys

LINE_COUNT = 418

TEXTS = {
    # --- Menus, panels, captions of the main window (lines 1-74) ---------------------------------
    # File menu: title, then New, Open, Save, Save As, Send to indicator, Read from indicator, Exit.
    1: ("&File", "&Dosya"),
    2: ("&New", "&Yeni"),
    3: ("&Open...", "&Aç..."),
    4: ("&Save", "&Kaydet"),
    5: ("Save &As...", "&Farklı Kaydet..."),
    6: ("Send to &Indicator...", "İndikatöre &Yükle..."),
    7: ("&Read from Indicator...", "İndikatörü &Oku..."),
    8: ("E&xit", "Çı&kış"),
    # Settings and Help menu: title, connection, program settings, language, help, identification.
    9: ("&Settings and Help", "&Ayarlar ve Yardım"),
    10: ("&Connection Settings...", "&Bağlantı Ayarları..."),
    11: ("&Program Settings...", "&Program Ayarları..."),
    12: ("&Language...", "&Dil Seçimi..."),
    13: ("&Help", "&Yardım"),
    14: ("I&dentification", "&Tanıtım"),
    # Language panel: title, the two language options, OK (also the span-weight panel), cancel.
    15: ("Language Settings", "Dil Ayarları"),
    16: ("English", "English"),
    17: ("Türkçe", "Türkçe"),
    18: ("OK", "TAMAM"),
    19: ("Cancel", "İPTAL"),
    # Read-from-indicator panel: title and the group boxes (header/footer, ID, setpoints, status,
    # preset tares, parameters, alibi), start, cancel (also the span-weight panel).
    20: ("Read from Indicator", "İndikatörü Oku"),
    21: ("Header and Footer", "Başlık ve Dip Not"),
    22: ("ID and ID Memories", "ID ve ID Hafıza"),
    23: ("Setpoint Memories", "Setpoint Hafıza"),
    24: ("Status", "Durum"),
    25: ("Preset Tare Memories", "P.Dara Hafıza"),
    26: ("Parameters", "Parametreler"),
    27: ("Alibi Memory", "Alibi Hafıza"),
    28: ("Read", "Oku"),
    29: ("Cancel", "İPTAL"),
    # Send-to-indicator panel: title, the group boxes 0-4, date/time, calibration and the two
    # configuration parts, start, cancel (also the connection panel).
    30: ("Send to Indicator", "İndikatöre Yükle"),
    31: ("Header and Footer", "Başlık ve Dip Not"),
    32: ("ID and ID Memories", "ID ve ID Hafıza"),
    33: ("Preset Tare Memories", "P.Dara Hafıza"),
    34: ("Setpoint Memories", "Setpoint Hafıza"),
    35: ("Alibi", "Alibi"),
    36: ("Date - Time", "Tarih - Saat"),
    37: ("Calibration P.", "Kalibrasyon P."),
    38: ("Configuration P.(Jmp)", "Konfigürasyon P.(Jmp)"),
    39: ("Configuration P.(Nrm)", "Konfigürasyon P.(Nrm)"),
    40: ("Send", "Gönder"),
    41: ("Cancel", "İPTAL"),
    # Connection panel: title, port, serial settings, device address, OK.
    42: ("Connection Settings", "Bağlantı Ayarları"),
    43: ("Port", "Port"),
    44: ("Baud rate", "Baud hızı"),
    45: ("Device address", "Cihaz adresi"),
    46: ("OK", "TAMAM"),
    # Header/footer page group captions; the two ID title labels.
    47: ("HEADER", "BAŞLIK"),
    48: ("FOOTER", "DİPNOT"),
    49: ("ID title 1", "ID başlığı 1"),
    50: ("ID title 2", "ID başlığı 2"),
    # Calibration page: frames, set-up labels (range mode, capacity 1, division 1, metrological,
    # capacity 2, division 2; the metrological label is also the title of the clear-page question),
    # calibration kinds, start caption, analog adjustment panels and their step labels.
    51: ("Calibration Procedure", "Kalibrasyon İşlemi"),
    52: ("Calibration Parameters", "Kalibrasyon Parametreleri"),
    53: ("Analog Output Calibration", "Analog Çıkış Kalibrasyonu"),
    54: ("Range mode", "Aralık modu"),
    55: ("Capacity 1", "Kapasite 1"),
    56: ("Division 1", "Bölüntü 1"),
    57: ("Metrological", "Metrolojik"),
    58: ("Capacity 2", "Kapasite 2"),
    59: ("Division 2", "Bölüntü 2"),
    60: ("General calibration", "Genel kalibrasyon"),
    61: ("Zero calibration", "Sıfır kalibrasyonu"),
    62: ("Span calibration", "Span kalibrasyonu"),
    63: ("Start", "Başlat"),
    64: ("Zero adjustment", "Sıfır ayarı"),
    65: ("Full-scale adjustment", "Tam skala ayarı"),
    66: ("Fast", "Hızlı"),
    67: ("Slow", "Yavaş"),
    # Tab captions: header/footer, ID memories, preset tares, setpoints, parameters, calibration,
    # status.
    68: ("Header and Footer", "Başlık ve Dip Not"),
    69: ("ID Memories", "ID Hafıza"),
    70: ("Preset Tares", "P.Dara Hafıza"),
    71: ("Setpoint Memories", "Setpoint Hafıza"),
    72: ("Parameters", "Parametreler"),
    73: ("Calibration", "Kalibrasyon"),
    74: ("Status", "Durum"),
    # --- Headings of the memory grids: memory column, ID number, ID name (lines 75-77) ------------
    75: ("Memory", "Hafıza"),
    76: ("Number", "Numara"),
    77: ("Name", "İsim"),
    # --- Parameter and status grids (lines 78-174) -------------------------------------------------
    # Heading of both grids.
    78: ("Parameter", "Parametre"),
    79: ("Value", "Değer"),
    # Status page rows 1-29: register values, status word, hardware status.
    80: ("Weight", "Ağırlık"),
    81: ("Tare", "Dara"),
    82: ("Gross weight", "Brüt ağırlık"),
    83: ("Setpoint 1", "Setpoint 1"),
    84: ("Setpoint 2", "Setpoint 2"),
    85: ("Setpoint 3", "Setpoint 3"),
    86: ("Stability", "Denge"),
    87: ("Load cell input", "Yük hücresi girişi"),
    88: ("Display mode", "Gösterge modu"),
    89: ("Centre of zero", "Sıfır merkezi"),
    90: ("Hold active", "Tutma aktif"),
    91: ("Output 1", "Çıkış 1"),
    92: ("Output 2", "Çıkış 2"),
    93: ("Output 3", "Çıkış 3"),
    94: ("Output 4", "Çıkış 4"),
    95: ("Output 5", "Çıkış 5"),
    96: ("Output 6", "Çıkış 6"),
    97: ("Operating state", "Çalışma durumu"),
    98: ("Input 1", "Giriş 1"),
    99: ("Input 2", "Giriş 2"),
    100: ("Input 3", "Giriş 3"),
    101: ("Hardware Status", "Donanım Durumu"),
    102: ("Real-time clock", "Gerçek zaman saati"),
    103: ("Hardware revision", "Donanım revizyonu"),
    104: ("Analog output card", "Analog çıkış kartı"),
    105: ("Relay output card", "Röle çıkış kartı"),
    106: ("Serial port C card", "Seri port C kartı"),
    107: ("Serial port D card", "Seri port D kartı"),
    108: ("Alibi memory card", "Alibi hafıza kartı"),
    109: ("Reserved", "Yedek"),
    # Parameter page: calibration section (range set-up, calibration values, gravity).
    110: ("Calibration", "Kalibrasyon"),
    111: ("Range mode", "Aralık modu"),
    112: ("Range 1 capacity code", "Aralık 1 kapasite kodu"),
    113: ("Range 1 division code", "Aralık 1 bölüntü kodu"),
    114: ("Range 2 capacity code", "Aralık 2 kapasite kodu"),
    115: ("Range 2 division code", "Aralık 2 bölüntü kodu"),
    116: ("Calibration counter", "Kalibrasyon sayacı"),
    117: ("Calibration reserve byte", "Kalibrasyon yedek bayt"),
    118: ("Calibration value 1", "Kalibrasyon değeri 1"),
    119: ("Calibration value 2", "Kalibrasyon değeri 2"),
    120: ("Calibration value 3", "Kalibrasyon değeri 3"),
    121: ("Calibration value 4", "Kalibrasyon değeri 4"),
    122: ("Internal counts", "İç sayım"),
    123: ("Calibration reserve value", "Kalibrasyon yedek değer"),
    124: ("Gravity (calibration site)", "Yerçekimi (kalibrasyon yeri)"),
    125: ("Gravity (place of use)", "Yerçekimi (kullanım yeri)"),
    # Parameter page: metrological section.
    126: ("Metrological Parameters", "Metrolojik Parametreler"),
    127: ("Metrology mode", "Metroloji modu"),
    128: ("Range type", "Aralık tipi"),
    129: ("Power-up zero range", "Açılışta sıfırlama aralığı"),
    130: ("Zero key range", "Sıfır tuşu aralığı"),
    131: ("Tare function", "Dara fonksiyonu"),
    132: ("High resolution (x10)", "Yüksek çözünürlük (x10)"),
    133: ("Zero tracking range", "Sıfır izleme aralığı"),
    134: ("Calibration switch", "Kalibrasyon anahtarı"),
    # Parameter page: general section.
    135: ("General Settings", "Genel Ayarlar"),
    136: ("Digital filter", "Dijital filtre"),
    137: ("Application", "Uygulama"),
    138: ("Function key F1", "Fonksiyon tuşu F1"),
    139: ("Function key F2", "Fonksiyon tuşu F2"),
    140: ("Function key F3", "Fonksiyon tuşu F3"),
    141: ("Function key F4", "Fonksiyon tuşu F4"),
    142: ("Target weight", "Hedef ağırlık"),
    143: ("Start delay (s)", "Başlama gecikmesi (sn)"),
    144: ("Preact weight", "Ön kesme ağırlığı"),
    145: ("Discharge time (s)", "Boşaltma süresi (sn)"),
    146: ("Keypad lock", "Tuş takımı kilidi"),
    147: ("Hold function", "Tutma fonksiyonu"),
    148: ("Weight unit", "Ağırlık birimi"),
    149: ("Key beep", "Tuş sesi"),
    150: ("Auto power off", "Otomatik kapanma"),
    # Parameter page: serial ports A to D (one set of row names for all four ports).
    151: ("Serial Port A", "Seri Port A"),
    152: ("Function", "Fonksiyon"),
    153: ("Baud rate", "Baud hızı"),
    154: ("Handshake", "El sıkışma"),
    155: ("Address", "Adres"),
    156: ("Serial Port B", "Seri Port B"),
    157: ("Serial Port C", "Seri Port C"),
    158: ("Interface", "Arayüz"),
    159: ("Serial Port D", "Seri Port D"),
    # Parameter page: printer section (the date/time name also labels the clock row).
    160: ("Printer", "Yazıcı"),
    161: ("Print mode", "Yazdırma modu"),
    162: ("Date - Time", "Tarih - Saat"),
    163: ("Print ID", "ID yazdır"),
    164: ("Barcode 1 type", "Barkod 1 tipi"),
    165: ("Barcode 2 type", "Barkod 2 tipi"),
    166: ("Minimum print weight", "En az yazdırma ağırlığı"),
    167: ("Print format", "Yazdırma formatı"),
    168: ("Line feeds after print", "Yazdırma sonrası satır"),
    169: ("Print header/footer", "Başlık/dip not yazdır"),
    # Parameter page: analog output section, and the two identification rows.
    170: ("Analog Output", "Analog Çıkış"),
    171: ("Analog zero value", "Analog sıfır değeri"),
    172: ("Analog full-scale value", "Analog tam skala değeri"),
    173: ("Device model", "Cihaz modeli"),
    174: ("Device information", "Cihaz bilgisi"),
    # --- Choice texts of the parameter rows and decoded values (lines 175-234) --------------------
    # Range mode of the calibration block.
    175: ("0- Single range", "0- Tek aralık"),
    176: ("1- Dual range", "1- Çift aralık"),
    # Metrology mode; range type.
    177: ("0- Industrial", "0- Endüstriyel"),
    178: ("1- Legal for trade", "1- Ticari (onaylı)"),
    179: ("0- Multi-range", "0- Çok aralıklı"),
    180: ("1- Multi-interval", "1- Çok bölüntülü"),
    # The common "off" choice; power-up zero range; zero key range; tare function; high resolution.
    181: ("0- Off", "0- Kapalı"),
    182: ("1- ±10%", "1- ±%10"),
    183: ("2- ±20%", "2- ±%20"),
    184: ("1- ±2%", "1- ±%2"),
    185: ("2- ±20%", "2- ±%20"),
    186: ("1- Normal", "1- Normal"),
    187: ("2- Successive", "2- Ardışık"),
    188: ("3- Automatic", "3- Otomatik"),
    189: ("1- Temporary", "1- Geçici"),
    190: ("2- Continuous", "2- Sürekli"),
    # Fifth zero-tracking choice (the program writes the code 4 in front of the wording).
    191: ("4- Off", "4- Kapalı"),
    # Application.
    192: ("0- Weighing", "0- Tartım"),
    193: ("1- Counting", "1- Sayma"),
    194: ("2- Checkweighing", "2- Kontrol tartımı"),
    195: ("3- Filling", "3- Dolum"),
    196: ("4- Batching", "4- Harmanlama"),
    # Function keys.
    197: ("1- Print", "1- Yazdır"),
    198: ("2- Gross/Net", "2- Brüt/Net"),
    199: ("3- Hold", "3- Tut"),
    200: ("4- Total", "4- Toplam"),
    201: ("5- ID entry", "5- ID girişi"),
    202: ("6- Unit change", "6- Birim değiştir"),
    # No/yes; keypad lock; hold function; weight unit; auto power off.
    203: ("0- No", "0- Hayır"),
    204: ("1- Yes", "1- Evet"),
    205: ("0- Unlocked", "0- Kilitsiz"),
    206: ("1- Locked", "1- Kilitli"),
    207: ("1- Peak hold", "1- Tepe değeri tut"),
    208: ("2- Data hold", "2- Veri tut"),
    209: ("0- kg", "0- kg"),
    210: ("1- t", "1- t"),
    211: ("1- 5 min", "1- 5 dk"),
    212: ("2- 15 min", "2- 15 dk"),
    213: ("3- 30 min", "3- 30 dk"),
    # The common "on" choice.
    214: ("1- On", "1- Açık"),
    # Serial port function (code 3 is the port the program talks through).
    215: ("1- Continuous output", "1- Sürekli çıkış"),
    216: ("2- Printer", "2- Yazıcı"),
    217: ("3- PC (host)", "3- PC (host)"),
    218: ("4- Remote display", "4- Uzak gösterge"),
    # Handshake (code 0 is also the text of an unknown port function).
    219: ("0- None", "0- Yok"),
    220: ("1- Xon/Xoff", "1- Xon/Xoff"),
    221: ("2- RTS/CTS", "2- RTS/CTS"),
    # Interface of serial port C.
    222: ("0- RS-232", "0- RS-232"),
    223: ("1- RS-485", "1- RS-485"),
    224: ("2- RS-422", "2- RS-422"),
    # Print mode (codes 1, 2 and 4; code 3 is a message text further on).
    225: ("1- Print key", "1- Yazdır tuşu"),
    226: ("2- Automatic", "2- Otomatik"),
    227: ("4- End of filling", "4- Dolum sonu"),
    # Date/time printing; barcode types; print format.
    228: ("1- Print", "1- Yazdır"),
    229: ("1- Code 39", "1- Code 39"),
    230: ("2- Code 128", "2- Code 128"),
    231: ("3- EAN-13", "3- EAN-13"),
    232: ("0- Standard", "0- Standart"),
    233: ("1- Compact", "1- Kısa"),
    234: ("2- Extended", "2- Uzun"),
    # --- Status texts, in clear/set pairs (lines 235-252) --------------------------------------
    # The "Error" text is also the title of calibration and device error boxes, and "OK" marks a
    # finished calibration step.
    235: ("In motion", "Hareketli"),
    236: ("Stable", "Dengede"),
    237: ("Error", "Hata"),
    238: ("OK", "Tamam"),
    239: ("Gross", "Brüt"),
    240: ("Net", "Net"),
    241: ("No", "Hayır"),
    242: ("Yes", "Evet"),
    243: ("Passive", "Pasif"),
    244: ("Active", "Aktif"),
    # Operating state 0-5, then the text for any other state.
    245: ("Weighing", "Tartım"),
    246: ("Coarse feed", "Hızlı dolum"),
    247: ("Fine feed", "Yavaş dolum"),
    248: ("Settling", "Bekleme"),
    249: ("Discharging", "Boşaltma"),
    250: ("Cycle complete", "Çevrim tamam"),
    251: ("Unknown state", "Tanımsız durum"),
    252: ("Not available", "Mevcut değil"),
    # --- Captions shown while a device job runs (lines 253-271) ---------------------------------
    # Read panel steps.
    253: ("Reading header and footer...", "Başlık ve dip not okunuyor..."),
    254: ("Reading ID memories...", "ID hafızaları okunuyor..."),
    255: ("Reading setpoint memories...", "Setpoint hafızaları okunuyor..."),
    256: ("Reading parameters...", "Parametreler okunuyor..."),
    257: ("Reading status...", "Durum okunuyor..."),
    258: ("Reading from the indicator...", "İndikatör okunuyor..."),
    # Span-weight prompt, calibration progress, start caption, zero-step question.
    259: ("Place a known weight on the scale", "Teraziye ağırlığı bilinen bir yük koyun"),
    260: ("and enter its value.", "ve değerini girin."),
    261: ("Enter the weight placed on the scale:", "Teraziye konan ağırlığı girin:"),
    262: ("Calibrating", "Kalibrasyon yapılıyor"),
    263: ("Start", "Başlat"),
    264: ("Empty the scale and press OK to calibrate zero.",
          "Teraziyi boşaltın ve sıfır kalibrasyonu için TAMAM'a basın."),
    # Send panel steps.
    265: ("Writing header and footer...", "Başlık ve dip not yazılıyor..."),
    266: ("Writing ID memories...", "ID hafızaları yazılıyor..."),
    267: ("Writing setpoint memories...", "Setpoint hafızaları yazılıyor..."),
    268: ("Writing parameters...", "Parametreler yazılıyor..."),
    # Analog-output run: stop caption, refusal, port failure.
    269: ("Stop", "Durdur"),
    270: ("The indicator refused the analog output calibration.", "İndikatör analog çıkış kalibrasyonunu reddetti."),
    271: ("The serial port could not be opened.", "Seri port açılamadı."),
    # --- Spare texts, read by nothing (lines 272-279) --------------------------------------------
    272: ("Reserved", "Yedek"),
    273: ("Reserved", "Yedek"),
    274: ("Reserved", "Yedek"),
    275: ("Reserved", "Yedek"),
    276: ("Reserved", "Yedek"),
    277: ("Reserved", "Yedek"),
    278: ("Reserved", "Yedek"),
    279: ("Reserved", "Yedek"),
    # --- Button and frame that read the indicator's value on the calibration page (line 280) ----
    280: ("Read value", "Değer oku"),
    # --- Notices (lines 281-300) --------------------------------------------------------------
    # Span-only calibration with an empty scale; calibration step not finished in time (three
    # lines); calibration error reported by the indicator (first line, then the reason).
    281: ("The indicator shows no weight. Load the scale before a span calibration.",
          "İndikatör ağırlık göstermiyor. Span kalibrasyonundan önce teraziye yük koyun."),
    282: ("The indicator did not finish the calibration step in time.", "İndikatör kalibrasyon adımını zamanında bitirmedi."),
    283: ("Check the load cell connection and that the scale is stable,",
          "Yük hücresi bağlantısını ve terazinin dengede olduğunu kontrol edin,"),
    284: ("then start the calibration again.", "sonra kalibrasyonu yeniden başlatın."),
    285: ("The indicator reported a calibration error.", "İndikatör kalibrasyon hatası bildirdi."),
    286: ("The calibration weight is too small.", "Kalibrasyon ağırlığı çok küçük."),
    287: ("Check the load cell and the weight, then try again.", "Yük hücresini ve ağırlığı kontrol edip tekrar deneyin."),
    # Main toolbar tooltips: new, open, save, save as, send, read, clear page (they must differ).
    288: ("New", "Yeni"),
    289: ("Open", "Aç"),
    290: ("Save", "Kaydet"),
    291: ("Save As", "Farklı Kaydet"),
    292: ("Send to Indicator", "İndikatöre Yükle"),
    293: ("Read from Indicator", "İndikatörü Oku"),
    294: ("Clear Page", "Sayfayı Temizle"),
    # Span prompt: largest weight; weight above the limit; over- and under-range of the live weight;
    # identification box text and title.
    295: ("Maximum weight:", "En fazla ağırlık:"),
    296: ("The weight entered is above what the indicator can display.",
          "Girilen ağırlık indikatörün gösterebileceği değerin üzerinde."),
    297: ("OVERLOAD", "AŞIRI YÜK"),
    298: ("UNDERLOAD", "SIFIR ALTI"),
    299: ("VELMORA - service and configuration tool for the QM1 and QM2 weighing indicators",
          "VELMORA - QM1 ve QM2 tartım indikatörleri için servis ve ayar programı"),
    300: ("Identification", "Tanıtım"),
    # --- Tooltips of the alignment buttons of the header/footer page (lines 301-302) -------------
    301: ("Centre", "Ortala"),
    302: ("Align left", "Sola Yasla"),
    # --- Parameter write captions and the write-failure text (lines 303-306) ---------------------
    303: ("Writing calibration parameters...", "Kalibrasyon parametreleri yazılıyor..."),
    304: ("Writing configuration parameters (Jmp)...", "Konfigürasyon parametreleri (Jmp) yazılıyor..."),
    305: ("Writing configuration parameters (Nrm)...", "Konfigürasyon parametreleri (Nrm) yazılıyor..."),
    306: ("Write error", "Yazma Hatası"),
    # --- Checksum label of the connection panel; hint of the language panel (lines 307-308) ------
    307: ("Checksum", "CHKSum"),
    308: ("Choose a language file and press OK.", "Bir dil dosyası seçin ve TAMAM'a basın."),
    # --- Error messages of device jobs (lines 309-313) -------------------------------------------
    # No answer / error answer; calibration locked; no analog card; data refused; the hint that
    # follows a refused send and stands alone for an incomplete calibration set-up.
    309: ("No answer from the indicator, or the indicator reported an error.",
          "İndikatörden cevap yok ya da indikatör hata bildirdi."),
    310: ("Calibration is not enabled on the indicator (calibration switch).",
          "İndikatörde kalibrasyona izin verilmiyor (kalibrasyon anahtarı)."),
    311: ("No analog output card is installed in the indicator.", "İndikatörde analog çıkış kartı takılı değil."),
    312: ("The indicator did not accept the data.", "İndikatör verileri kabul etmedi."),
    313: ("Check the settings and try again.", "Ayarları kontrol edip tekrar deneyin."),
    # --- Weekday names, Monday first (lines 314-320); the clock decoder maps them back to codes ---
    314: ("Monday", "Pazartesi"),
    315: ("Tuesday", "Salı"),
    316: ("Wednesday", "Çarşamba"),
    317: ("Thursday", "Perşembe"),
    318: ("Friday", "Cuma"),
    319: ("Saturday", "Cumartesi"),
    320: ("Sunday", "Pazar"),
    # --- Mixed messages and row names (lines 321-354) --------------------------------------------
    # Data-bits and parity labels (parity also names the port parity rows); print mode code 3;
    # refresh tooltip (must differ from the other toolbar tooltips); printer kinds; analog output
    # type frame.
    321: ("Data bits", "Veri bitleri"),
    322: ("Parity", "Parite"),
    323: ("3- Continuous", "3- Sürekli"),
    324: ("Refresh", "Güncelle"),
    325: ("Ticket printer", "FİŞ"),
    326: ("Label printer (EPL)", "EPL YAZICI"),
    327: ("Analog output type", "Analog çıkış tipi"),
    # Range-2 division check of the calibration; clear-page question; label text load and save.
    328: ("The division of range 2 must be larger than the division of range 1.",
          "Aralık 2 bölüntüsü aralık 1 bölüntüsünden büyük olmalıdır."),
    329: ("All values on this page will be cleared. Do you want to continue?",
          "Bu sayfadaki tüm değerler silinecek. Devam etmek istiyor musunuz?"),
    330: ("Load from file", "Dosyadan yükle"),
    331: ("Save to file", "Dosyaya kaydet"),
    # Row names: tilt sensor, filling mode, number of copies.
    332: ("Tilt sensor", "Eğim sensörü"),
    333: ("Filling mode", "Dolum modu"),
    334: ("Number of copies", "Kopya sayısı"),
    # Tilt sensor choices 0-2; filling mode choices 0-1.
    335: ("0- Off", "0- Kapalı"),
    336: ("1- Warning only", "1- Sadece uyarı"),
    337: ("2- Block weighing", "2- Tartımı engelle"),
    338: ("0- Gross filling", "0- Brüt dolum"),
    339: ("1- Net filling", "1- Net dolum"),
    # Question before loading a long label-printer text.
    340: ("The file is longer than 1000 characters. Load it anyway?",
          "Dosya 1000 karakterden uzun. Yine de yüklensin mi?"),
    # Legend of the label-printer tags [N] [G] [T] [D] [I] [C] [A] [1]..[5], then [6]; the date and
    # time texts also caption the frames of the date/time panel.
    341: ("Net weight", "Net ağırlık"),
    342: ("Gross weight", "Brüt ağırlık"),
    343: ("Tare weight", "Dara ağırlığı"),
    344: ("Date", "Tarih"),
    345: ("Time", "Saat"),
    346: ("Counter", "Sayaç"),
    347: ("Total weight", "Toplam ağırlık"),
    348: ("ID 1 number", "ID 1 numarası"),
    349: ("ID 1 name", "ID 1 ismi"),
    350: ("ID 2 number", "ID 2 numarası"),
    351: ("ID 2 name", "ID 2 ismi"),
    352: ("Setpoint 1", "Setpoint 1"),
    353: ("Setpoint 2", "Setpoint 2"),
    354: ("Tags that can be used in the label text", "Etiket metninde kullanılabilecek etiketler"),
    # --- Start-up dialog hints, calibration set-up choices, span-weight labels (lines 355-365) ----
    355: ("Model selection", "Model seçimi"),
    356: ("Select the indicator model.", "İndikatör modeli seçiniz."),
    357: ("Make sure the device parameters and program", "Cihaz parametreleri ve program"),
    358: ("settings are correct!", "ayarlarının doğruluğundan emin olun!"),
    359: ("Check the cables!", "Kabloları kontrol edin!"),
    360: ("0- Single range", "0- Tek aralık"),
    361: ("1- Dual range", "1- Çift aralık"),
    362: ("0- Non-metrological", "0- Metrolojik değil"),
    363: ("1- Metrological", "1- Metrolojik"),
    364: ("Span calibration", "Span kalibrasyonu"),
    365: ("Enter the weight on the scale:", "Teraziye konan ağırlığı girin:"),
    # --- Display names of the two models (lines 366-367) ----------------------------------------
    366: ("QM1", "QM1"),
    367: ("QM2", "QM2"),
    # --- Mixed texts (lines 368-418) -------------------------------------------------------------
    # Field captions of the date/time panel: day, month, year, hour, minute.
    368: ("Day", "Gün"),
    369: ("Month", "Ay"),
    370: ("Year", "Yıl"),
    371: ("Hour", "Saat"),
    372: ("Minute", "Dakika"),
    # Warning when the PC port's function is changed (two lines); not-connected message.
    373: ("You changed the function of the port set for PC communication.",
          "PC haberleşmesi için ayarlı portun fonksiyonunu değiştirdiniz."),
    374: ("After sending, the program may no longer reach the indicator.",
          "Yüklemeden sonra program indikatöre ulaşamayabilir."),
    375: ("No indicator is connected.", "Bağlı indikatör yok."),
    # Connect and disconnect captions (they must differ); wait panel; title of the port warning.
    376: ("Connect", "Bağlan"),
    377: ("Disconnect", "Bağlantıyı Kes"),
    378: ("Please wait...", "Lütfen bekleyin..."),
    379: ("Warning", "Uyarı"),
    # Frames of the ID editor: current IDs, ID titles, ID memories.
    380: ("Current IDs", "Geçerli ID'ler"),
    381: ("ID Titles", "ID Başlıkları"),
    382: ("ID Memories", "ID Hafıza"),
    # Brand label and welcome line of the start-up dialog.
    383: ("VELMORA", "VELMORA"),
    384: ("Welcome", "Hoş geldiniz"),
    # Invalid date on the date/time panel.
    385: ("The date is not valid.", "Tarih geçerli değil."),
    # Parameter-set file: a save that failed, an open that was refused (the path follows).
    386: ("The parameter-set file could not be saved.", "Parametre dosyası kaydedilemedi."),
    387: ("The file could not be opened or is not a complete parameter-set file.",
          "Dosya açılamadı veya eksiksiz bir parametre dosyası değil."),
    # A typed value outside its field (the allowed range follows), and a label-text file that cannot
    # be read or written (its path follows on the next line).
    388: ("The value is outside the range of this parameter:", "Değer bu parametrenin aralığı dışında:"),
    389: ("The file could not be read:", "Dosya okunamadı:"),
    390: ("The file could not be written:", "Dosya yazılamadı:"),
}

# Lines 391-418 have a place in the file but nothing reads them.
for _n in range(391, LINE_COUNT + 1):
    TEXTS[_n] = ("Reserved", "Yedek")

# Calibration page notices (lines 414-417): the range set-up not read or not in the chosen table,
# the general calibration's upload without the bytes it writes back, span weights finer than the
# division and span weights that are not numbers.
TEXTS.update({
    414: ("The range set-up of the indicator could not be read or is not in the chosen definition table. "
          "The weighing limits are not known.",
          "İndikatörün kapasite ve taksimat ayarı okunamadı veya seçili tanım tablosunda yok. "
          "Tartım sınırları bilinmiyor."),
    415: ("Read the calibration page from the indicator again before a general calibration.",
          "Genel kalibrasyondan önce kalibrasyon sayfasını indikatörden yeniden okuyun."),
    416: ("The weight has more decimals than the division.", "Ağırlık taksimattan daha fazla ondalık basamak içeriyor."),
    417: ("Enter the weight as a number.", "Ağırlığı sayı olarak girin."),
})

# Writes refused before anything is sent (the value follows on the next line) and a clock group
# skipped (lines 405-408).
TEXTS.update({
    405: ("A setpoint does not fit the indicator; no setpoint was sent:",
          "Bir setpoint indikatöre sığmıyor; hiçbir setpoint gönderilmedi:"),
    406: ("A parameter does not fit its byte (0 to 255); no parameter was sent:",
          "Bir parametre baytına sığmıyor (0 - 255); hiçbir parametre gönderilmedi:"),
    407: ("The label text is longer than the indicator's 1000 characters; it was not sent.",
          "Etiket metni indikatörün 1000 karakterinden uzun; gönderilmedi."),
    408: ("The date and time are not valid; the clock was not sent:",
          "Tarih ve saat geçerli değil; saat gönderilmedi:"),
})

LANGUAGES = {"English.txt": 0, "Türkçe.txt": 1}


def build(index):
    missing = [n for n in range(1, LINE_COUNT + 1) if n not in TEXTS]
    extra = [n for n in TEXTS if not 1 <= n <= LINE_COUNT]
    if missing or extra:
        sys.exit(f"line numbers missing {missing} or out of range {extra}")
    out = bytearray()
    for n in range(1, LINE_COUNT + 1):
        text = TEXTS[n][index]
        if "\r" in text or "\n" in text or text != text.rstrip(" "):
            sys.exit(f"line {n}: no line breaks or trailing blanks allowed: {text!r}")
        out += text.encode("cp1254") + b"\r\n"  # strict: a character outside the code page fails
    return bytes(out)


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, index in LANGUAGES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(build(index))


if __name__ == "__main__":
    main()
