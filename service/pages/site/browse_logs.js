// The visits page: clicking a visit (or Enter on it) hands the desktop the item it was of, as the
// JSON text {"type": n, "itemId": "id"}; the desktop opens that house, project or product.
(function () {
    "use strict";

    function open(row) {
        var text = JSON.stringify({ type: Number(row.dataset.type), itemId: row.dataset.item });
        if (window.sendToDesktop && window.sendToDesktop(text))
            return;
        var box = document.getElementById("message");
        box.textContent = "在桌面端的微官网中点击访问记录，可打开对应的房源、楼盘或金融产品";
        box.className = "message shown";
    }

    window.initVisitRows = function () {
        var table = document.querySelector("table.list");
        if (!table)
            return;
        table.addEventListener("click", function (event) {
            var row = event.target.closest("tr.visit");
            if (row)
                open(row);
        });
        table.addEventListener("keydown", function (event) {
            var row = event.target.closest("tr.visit");
            if (row && event.key === "Enter")
                open(row);
        });
    };
})();
